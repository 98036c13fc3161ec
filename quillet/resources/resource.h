// Resource and control ids of quillet, shared by the resource script and the
// code. The grid (controls/value_grid.h) numbers its own rows.
#pragma once

#define IDD_EDITOR 129

#define IDC_FLAG 1001
#define IDC_RANGE_LOW 1003
#define IDC_LOW_NOTE 1004
#define IDC_RANGE_HIGH 1005
#define IDC_APPLY 1006
#define IDC_GRID_PLACE 1007
#define IDC_PLAY 1008
#define IDC_HIGH_NOTE 1009
#define IDC_DELETE 1011
#define IDC_READ 1012
#define IDC_SAVE 1013
#define IDC_CONFIGURATIONS 1014
