#include "core/viewmodel/commandids.h"
#include "core/viewmodel/commandstate.h"
#include "core/markers/markerrecord.h"

#include <gtest/gtest.h>

namespace byzel {
namespace {

constexpr int kPens[] = {ID_MARKER_YELLOW, ID_MARKER_BLUE, ID_MARKER_RED,     ID_MARKER_GREEN,
                         ID_MARKER_GLAY,   ID_MARKER_CYAN, ID_MARKER_MAZENTA, ID_MARKER_SILVER};

CommandContext openWithMarkers(int count) {
    CommandContext c;
    c.fileOpen = true;
    c.named = true;
    c.markerCount = count;
    return c;
}

TEST(CommandState, PenCommandsLayTheStandardColoursInTheirOwnOrder) {
    EXPECT_EQ(penColorOf(ID_MARKER_YELLOW), 0xACFFFFu);
    EXPECT_EQ(penColorOf(ID_MARKER_RED), 0xB0B0FFu);
    EXPECT_EQ(penColorOf(ID_MARKER_MAZENTA), 0xFFB5FFu);
    EXPECT_EQ(penColorOf(ID_MARKER_SILVER), 0xD8D8D8u);
    EXPECT_EQ(penColorOf(ID_ETC_COL), std::nullopt);
}

TEST(CommandState, WithoutAFileOnlyTheFileCommandsAndTheNonPenModesAreEnabled) {
    const CommandContext none;
    for (int id : kPens)
        EXPECT_FALSE(commandState(id, none).enabled) << id;
    for (int id : {ID_ETC_COL, ID_MARKER_UPD, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_PRINT_OUT,
                   ID_JUMP_TOP, ID_JUMP_END, ID_DSP_KIJUN, ID_DOC_INFO, ID_CONSOLE, ID_EDIT_DUMP,
                   ID_RENDOU, ID_REM_LINE, ID_DSP_MARK, ID_DEL_ALL_MARK, ID_DSP_HIT})
        EXPECT_FALSE(commandState(id, none).enabled) << id;
    for (int id : {ID_NORMAL_MODE, ID_DSP_VALUE, ID_FILE_NEW, ID_FILE_OPEN, ID_KANSET, ID_APP_ABOUT,
                   ID_APP_EXIT, ID_SHOW_MENU, ID_HELP_DSP, ID_SPIN1})
        EXPECT_TRUE(commandState(id, none).enabled) << id;
    EXPECT_TRUE(commandState(ID_NORMAL_MODE, none).checked);
}

TEST(CommandState, SaveNeedsANamedWork) {
    CommandContext c = openWithMarkers(0);
    EXPECT_TRUE(commandState(ID_FILE_SAVE, c).enabled);
    c.named = false;
    EXPECT_FALSE(commandState(ID_FILE_SAVE, c).enabled);
    EXPECT_TRUE(commandState(ID_FILE_SAVE_AS, c).enabled);
}

TEST(CommandState, MarkerListCommandsWaitForMarkersAndTheEndOfMarkerMode) {
    CommandContext c = openWithMarkers(0);
    for (int id :
         {ID_DEL_ALL_MARK, ID_MARK_MENT, ID_BATCH_EDIT, ID_DSP_MARK, ID_RENDOU, ID_REM_LINE})
        EXPECT_FALSE(commandState(id, c).enabled) << id;
    c.markerCount = 3;
    for (int id :
         {ID_DEL_ALL_MARK, ID_MARK_MENT, ID_BATCH_EDIT, ID_DSP_MARK, ID_RENDOU, ID_REM_LINE})
        EXPECT_TRUE(commandState(id, c).enabled) << id;
    c.mode = InteractionMode::Marker;
    for (int id : {ID_DEL_ALL_MARK, ID_MARK_MENT, ID_BATCH_EDIT})
        EXPECT_FALSE(commandState(id, c).enabled) << id;
    EXPECT_TRUE(commandState(ID_DSP_MARK, c).enabled);
    c.mode = InteractionMode::Modify;
    EXPECT_TRUE(commandState(ID_DEL_ALL_MARK, c).enabled);
}

TEST(CommandState, ExactlyOneModeButtonIsChecked) {
    struct Case {
        InteractionMode mode;
        ColorRef pen;
        int checked;
    };
    const Case cases[] = {
        {InteractionMode::Normal, 0xB0B0FF, ID_NORMAL_MODE},
        {InteractionMode::Marker, 0xB0B0FF, ID_MARKER_RED},
        {InteractionMode::Marker, 0xD8D8D8, ID_MARKER_SILVER},
        // A free colour, such as the colour button's red at start, checks the colour button.
        {InteractionMode::Marker, 0x0000FF, ID_ETC_COL},
        {InteractionMode::Modify, 0xB0B0FF, ID_MARKER_UPD},
        {InteractionMode::ValueCheck, 0xB0B0FF, ID_DSP_VALUE},
    };
    const int modeCommands[] = {ID_MARKER_YELLOW,  ID_MARKER_BLUE,   ID_MARKER_RED,
                                ID_MARKER_GREEN,   ID_MARKER_GLAY,   ID_MARKER_CYAN,
                                ID_MARKER_MAZENTA, ID_MARKER_SILVER, ID_ETC_COL,
                                ID_NORMAL_MODE,    ID_MARKER_UPD,    ID_DSP_VALUE};
    for (const Case& k : cases) {
        CommandContext c = openWithMarkers(1);
        c.mode = k.mode;
        c.penColor = k.pen;
        for (int id : modeCommands)
            EXPECT_EQ(commandState(id, c).checked, id == k.checked)
                << "mode " << int(k.mode) << " pen " << std::hex << k.pen << " id " << std::dec
                << id;
    }
}

TEST(CommandState, SwitchesAndSearchHit) {
    CommandContext c = openWithMarkers(2);
    c.linkLines = true;
    EXPECT_TRUE(commandState(ID_REM_LINE, c).checked);
    EXPECT_FALSE(commandState(ID_RENDOU, c).checked);
    c.linkedScrolling = true;
    EXPECT_TRUE(commandState(ID_RENDOU, c).checked);
    EXPECT_FALSE(commandState(ID_HIT_CLEAR, c).enabled);
    c.searchHit = true;
    EXPECT_TRUE(commandState(ID_HIT_CLEAR, c).enabled);
    EXPECT_TRUE(commandState(ID_DSP_HIT, c).enabled);
}

TEST(MarkerNumberBox, ReadsLeadingDecimalDigits) {
    EXPECT_EQ(markerNumberOf("12"), 12);
    EXPECT_EQ(markerNumberOf("-3"), -3);
    EXPECT_EQ(markerNumberOf("7x9"), 7);
    EXPECT_EQ(markerNumberOf("x9"), 0);
    EXPECT_EQ(markerNumberOf(""), 0);
    EXPECT_EQ(markerNumberOf("99999999999999"), 2147483647);
}

TEST(MarkerNumberBox, NumberIsLimitedToTheMarkers) {
    EXPECT_EQ(limitedMarkerNumber("0", 12), "1");
    EXPECT_EQ(limitedMarkerNumber("-3", 12), "1");
    EXPECT_EQ(limitedMarkerNumber("", 12), "1");
    EXPECT_EQ(limitedMarkerNumber("9999", 12), "12");
    EXPECT_EQ(limitedMarkerNumber("12", 12), "12");
    EXPECT_EQ(limitedMarkerNumber("5", 12), "5");
    EXPECT_EQ(limitedMarkerNumber("5", 0), "0");
}

} // namespace
} // namespace byzel
