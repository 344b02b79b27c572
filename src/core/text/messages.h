#pragma once

#include <string_view>
#include <vector>

namespace byzel {

// Styles of the message box: icon and buttons, with the values the settings and callers share.
enum class BoxStyle : int {
    Error = 0x10,       // error icon, OK
    Information = 0x40, // information icon, OK
    YesNo = 0x24,       // question icon, Yes / No
    YesNoCancel = 0x23, // question icon, Yes / No / Cancel
};

// Buttons a message box reports. 0 means nothing was shown.
enum Button : int { NoButton = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

namespace msg {
inline constexpr int NoMemory = 30001;
inline constexpr int AskSaveUnnamed = 30002;
inline constexpr int OpenFailed = 30003;
inline constexpr int TooLarge = 30004;
inline constexpr int AskOverwriteFile = 30005;
inline constexpr int WriteFailed = 30006;
inline constexpr int AskLocateDumpFile = 30007;
inline constexpr int PrinterInitFailed = 30008;
inline constexpr int AskSaveChanges = 30009;
inline constexpr int FileObjectFailed = 30010;
inline constexpr int DropOneFile = 30011;
inline constexpr int MarkerLimit = 30012;
inline constexpr int NoFontSelected = 30013;
inline constexpr int AskNewWorkOrSwapDump = 30014;
inline constexpr int MoveBeforeFileStart = 30015;
inline constexpr int MoveOntoPrevious = 30016;
inline constexpr int MovePastFileEnd = 30017;
inline constexpr int MoveOntoNext = 30018;
inline constexpr int AskClearMarker = 30019;
inline constexpr int AskClearAllMarkers = 30020;
inline constexpr int AskRecolorAll = 30021;
inline constexpr int MarkerOverlap = 30022;
inline constexpr int AskOverwriteRemark = 30023;
inline constexpr int NotFound = 30024;
inline constexpr int AskPadHexDigit = 30025;
inline constexpr int EnterSearchText = 30026;
inline constexpr int EnterHex = 30027;
inline constexpr int SavedMarkerFile = 30029;
inline constexpr int AskShowSavedFolder = 30030;
inline constexpr int BulkTagMismatch = 30031;
inline constexpr int OffsetPastEnd = 30032;
inline constexpr int AskRemoveRecent = 30033;
inline constexpr int FolderRefused = 30034;
inline constexpr int AskWriteRow = 30035;
inline constexpr int AskReplaceAll = 30036;
inline constexpr int ScratchPathFailed = 30037;
inline constexpr int ScratchCopyFailed = 30038;
inline constexpr int PatternLongerThanFile = 30039;
inline constexpr int ReplaceDone = 30040;
inline constexpr int HitDiffersFromPattern = 30041;
inline constexpr int AskReplaceOtherLength = 30042;
inline constexpr int AskReplaceHit = 30043;
inline constexpr int ReadFailed = 30044;
inline constexpr int NoOccurrences = 30045;
inline constexpr int TextTooLong = 30046;
inline constexpr int AskOverwriteMarkers = 30047;
inline constexpr int FileManagerFailed = 30048;
inline constexpr int PathTooLong = 30049;
inline constexpr int CrcReport = 30050;
inline constexpr int CharTableFull = 30065;
inline constexpr int OleInitFailed = 30072;
inline constexpr int RecoveredMarkers = 30100;
inline constexpr int ChangedWhileCopying = 30111;
inline constexpr int ManualMissing = 30164;
inline constexpr int ManualBaseName = 30165;
inline constexpr int HistoryOldest = 30200;
inline constexpr int HistoryNewest = 30209;
inline constexpr int ProgramName = 57344;
inline constexpr int DocumentTemplate = 128;
} // namespace msg

// Text of a string-table entry (UTF-8), or an empty view when the table has no such id.
[[nodiscard]] std::string_view stringText(int id);
[[nodiscard]] bool hasString(int id);
// Every id of the table, ascending.
[[nodiscard]] std::vector<int> stringIds();

// Tooltip parts of a command prompt "description\ntitle"; a prompt without "\n" is a title only.
struct CommandPrompt {
    std::string_view description;
    std::string_view title;
};
[[nodiscard]] CommandPrompt splitPrompt(std::string_view prompt);

} // namespace byzel
