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

// Messages (editor/messages.h): %1 is an error number, %2 a path or a
// configuration name.
#define IDS_OUTPUT_NOT_WRITTEN 200
#define IDS_COPY_NOT_WRITTEN 201
#define IDS_MODIFICATION_NOT_WRITTEN 202
#define IDS_NO_FREE_NAME 203
#define IDS_SONDREL_NOT_STARTED 204
#define IDS_CONFIGURATION_NO_NAME 205
#define IDS_CONFIGURATION_NOT_FOUND 206
#define IDS_CONFIGURATION_NOT_SAVED 207
#define IDS_CONFIGURATION_NOT_READ 208
#define IDS_CONFIGURATION_NOT_DELETED 209
#define IDS_DIALOG_NOT_SHOWN 210
