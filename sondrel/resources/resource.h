// Resource ids of sondrel, shared by the resource script and the code.
#pragma once

#define IDD_PROGRESS_SCRIPT 101  // status line and Cancel
#define IDD_PROGRESS_DLL 102     // status line, progress bar and Cancel

#define IDC_STATUS 1001
#define IDC_PROGRESS 1002

#define IDS_PLAYING 102
#define IDS_RENDER_FAILED 103
#define IDS_RESAMPLING 104   // script mode, resampling ahead of the scripts: ended runs, all runs
#define IDS_WRITING_WAV 105  // script mode, after that
