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

// The lines after "Failed to render": what failed, then what to do next.
// Inserts: %1 the subject's name, %2 the character, %3 the path or name, %4
// the error or exit code, %5 the file that sets the tool (setting.ini or the
// project file), %6 the key that sets it there, %7 its key in setting.ini,
// %8 the wavtool concerned.
#define IDS_CAUSE_FIELD_REFUSED 110
#define IDS_CAUSE_PATH_TOO_LONG 111
#define IDS_CAUSE_INVALID_NAME 112
#define IDS_CAUSE_NO_ANSI_FORM 113
#define IDS_CAUSE_INTERPRETER_FAILED 114
#define IDS_CAUSE_LIBRARY_NOT_LOADED 115
#define IDS_CAUSE_INTERPRETER_EXIT 116
#define IDS_CAUSE_LINE_TOO_LONG 117
#define IDS_CAUSE_SCRIPT_NOT_WRITTEN 118
#define IDS_CAUSE_NO_OUTPUT 119
#define IDS_CAUSE_WORKER_NOT_STARTED 120
// Put before the cause when it concerns one note; inserts: %1 its position, %2 its lyric.
#define IDS_NOTE_PREFIX 121
#define IDS_CAUSE_NAMES_A_FOLDER 122
#define IDS_CAUSE_TOOL_NOT_STARTED 123
#define IDS_CAUSE_LIBRARY_CONVENTION 124
#define IDS_CAUSE_INTERPRETER_CODE_PAGE 125
#define IDS_CAUSE_NOT_IN_INTERPRETER_CODE_PAGE 126
#define IDS_CAUSE_TOOL_NOT_SET 127
#define IDS_CAUSE_TOOL_MISSING_SETTING 128
#define IDS_CAUSE_TOOL_MISSING_SONG 129

// Names of the failure subjects, in the order of FailureSubject.
#define IDS_SUBJECT_FIRST 130

#define IDS_CAUSE_TOOL_MISSING_PROJECT 150
#define IDS_CAUSE_LIBRARY_MISSING 151
#define IDS_CAUSE_LIBRARY_NEEDS_DLL 152
#define IDS_CAUSE_LIBRARY_NOT_32BIT 153
#define IDS_CAUSE_SETTING_INI_MISSING 154
