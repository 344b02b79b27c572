#pragma once

namespace byzel {

// Command ids of the ribbon, the quick access bar and the accelerators. The numbers are those
// of the string table, whose entry of the same id is the command's prompt.
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FIRST = 57616,
    ID_FILE_MRU_LAST = 57625,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_PRINT_OUT = 33775,
    ID_KANSET = 33838,
    ID_SHOW_MENU = 336,
    ID_HELP_DSP = 32771,
    ID_RENDOU = 33823,
    ID_REM_LINE = 33826,
    ID_DSP_KIJUN = 33777,
    ID_JUMP_TOP = 33820,
    ID_JUMP_END = 33821,
    ID_DOC_INFO = 33840,
    ID_CONSOLE = 33776,
    ID_DSP_HIT = 33779,
    ID_HIT_CLEAR = 33778,
    ID_EDIT_DUMP = 32782,
    ID_MARKER_YELLOW = 33782,
    ID_MARKER_BLUE = 33783,
    ID_MARKER_RED = 33784,
    ID_MARKER_GREEN = 33785,
    ID_MARKER_GLAY = 33786,
    ID_MARKER_CYAN = 33787,
    ID_MARKER_MAZENTA = 33788,
    ID_MARKER_SILVER = 33789,
    ID_ETC_COL = 32776,
    ID_NORMAL_MODE = 33803,
    ID_MARKER_UPD = 33790,
    ID_DSP_VALUE = 332,
    ID_EDIT1 = 32784,
    ID_EDIT2 = 32785,
    ID_SPIN1 = 32775,
    ID_DSP_MARK = 33804,
    ID_DEL_ALL_MARK = 33798,
    ID_MARK_MENT = 33831,
    ID_BATCH_EDIT = 331,
};

} // namespace byzel
