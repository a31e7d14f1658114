#include "AppFixture.h"

#include "shell/CommandIds.h"
#include "shell/CommandTable.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

#include <map>
#include <set>

namespace {
const char* const Conductivities = "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 1e-9\n";
const char* const Chargeabilities = "4 2\n1 2 3 4\n5 6 7 -20\n";

// Commands that are enabled in each state; every other command must be disabled.
const std::set<int> AlwaysEnabled = {
    ID_OPEN_FILES,           ID_APP_EXIT,         ID_EDIT_COPY,
    ID_COLOUR_MAP,           ID_FLIP_COLOURS,     ID_VIEW_TOOLBAR,
    ID_VIEW_STATUS_BAR,      ID_AREA_OF_INTEREST, ID_APP_ABOUT,
    ID_COLOURS_RAINBOW,      ID_COLOURS_VIRIDIS,  ID_COLOURS_CIVIDIS,
    ID_COLOURS_MAGMA,        ID_COLOURS_TURBO,    ID_COLOURS_BLUE_WHITE_RED,
    ID_VERTICAL_EXAGGERATION};
// Zoom in is not among them: a mesh of four equal columns is already as narrow as a zoom
// may get.
const std::set<int> NeedData = {ID_RELOAD,          ID_LOAD_WEIGHTS,  ID_MESH,
                                ID_MESH_STATISTICS, ID_FONT_DECREASE, ID_FONT_INCREASE,
                                ID_PADDING_CELLS,   ID_MIN_MAX,       ID_DEPTH_OF_INVESTIGATION,
                                ID_EXPORT_DATA,     ID_COMPARE_MODEL, ID_FOLLOW_FILES};

std::set<int> unite(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class CommandStateTest : public AppFixture {
protected:
    void expectEnabledExactly(const std::set<int>& expected) {
        for (const Command& command : CommandTable()) {
            EXPECT_EQ(enabled(command.id), expected.count(command.id) == 1) << command.label;
            // The menu item and the toolbar button show the same state.
            EXPECT_EQ(frame().action(command.id)->isEnabled(), enabled(command.id))
                << command.label;
            if (QToolButton* tile = button(command.id)) {
                EXPECT_EQ(tile->isEnabled(), enabled(command.id)) << command.label;
            }
        }
    }
};

TEST_F(CommandStateTest, WithoutDataOnlyRulesThatNeedNoDataEnable) {
    ASSERT_TRUE(start({}));
    // The kind starts as conductivity, so both scale toggles are enabled.
    expectEnabledExactly(unite(AlwaysEnabled, {ID_LOG10, ID_COND_RES}));
    EXPECT_FALSE(checked(ID_LOG10));
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));
}

TEST_F(CommandStateTest, ConductivityModel) {
    startWith(Conductivity, Conductivities);
    expectEnabledExactly(unite(unite(AlwaysEnabled, NeedData), {ID_LOG10, ID_COND_RES}));
}

TEST_F(CommandStateTest, ChargeabilityModelTurnsLogOnAndLocksTheScale) {
    startWith(Chargeability, Chargeabilities, true);
    expectEnabledExactly(unite(unite(AlwaysEnabled, NeedData), {ID_CONVERGENCE}));
    EXPECT_TRUE(checked(ID_LOG10));
    EXPECT_TRUE(frame().action(ID_LOG10)->isChecked());
}

TEST_F(CommandStateTest, SensitivityModelAllowsLogButNotConductivity) {
    startWith(Sensitivity, Conductivities);
    expectEnabledExactly(unite(unite(AlwaysEnabled, NeedData), {ID_LOG10}));
    EXPECT_FALSE(checked(ID_LOG10));
}

TEST_F(CommandStateTest, TogglesFlipTheirCheckMarksThroughTheRoute) {
    startWith(Conductivity, Conductivities, true);
    for (int id : {ID_LOG10, ID_MESH, ID_CONVERGENCE}) {
        EXPECT_FALSE(checked(id));
        EXPECT_TRUE(frame().Dispatch(id));
        EXPECT_TRUE(checked(id));
        EXPECT_TRUE(frame().action(id)->isChecked());
        EXPECT_TRUE(button(id)->isChecked());
        frame().action(id)->trigger(); // as a click on the menu item
        EXPECT_FALSE(checked(id));
        EXPECT_FALSE(button(id)->isChecked());
    }
    EXPECT_TRUE(frame().Dispatch(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(frame().toolBar()->isHidden());
}

TEST_F(CommandStateTest, FontStepsStopAtTheirLimits) {
    startWith(Conductivity, Conductivities);
    view().state().settings.fontHeight = 20;
    EXPECT_TRUE(frame().Dispatch(ID_FONT_DECREASE));
    EXPECT_EQ(view().state().settings.fontHeight, 0);
    EXPECT_FALSE(enabled(ID_FONT_DECREASE));
    EXPECT_FALSE(frame().Dispatch(ID_FONT_DECREASE));
    EXPECT_EQ(view().state().settings.fontHeight, 0);

    view().state().settings.fontHeight = 1980;
    EXPECT_TRUE(frame().Dispatch(ID_FONT_INCREASE));
    EXPECT_EQ(view().state().settings.fontHeight, 2000);
    EXPECT_FALSE(enabled(ID_FONT_INCREASE));
}

TEST_F(CommandStateTest, DisabledCommandsDoNothing) {
    ASSERT_TRUE(start({}));
    EXPECT_FALSE(frame().Dispatch(ID_MESH));
    EXPECT_FALSE(view().state().settings.showMesh);
    EXPECT_FALSE(frame().Dispatch(ID_MESH_STATISTICS));
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(CommandStateTest, MeshStatisticsShowsAnInformationBox) {
    startWith(Conductivity, Conductivities);
    EXPECT_TRUE(frame().Dispatch(ID_MESH_STATISTICS));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, RecordingMessages::Kind::Information);
    EXPECT_EQ(messages.entries[0].text, "Mesh Statistics:\n\n# of cells:  4 x 2\ntotal # of "
                                        "cells:  8\nmesh dimensions:  100 x 30\nsmallest cell "
                                        "dimensions:  25 x 15\n");
}

TEST_F(CommandStateTest, ColourCommandsRebuildTheTable) {
    startWith(Conductivity, Conductivities);
    const QRgb first = view().state().colours.entry(0);
    EXPECT_TRUE(frame().Dispatch(ID_COLOUR_MAP));
    EXPECT_FALSE(view().state().settings.useColour);
    const QRgb grey = view().state().colours.entry(0);
    EXPECT_EQ(qRed(grey), qBlue(grey));
    EXPECT_NE(grey, first);
    EXPECT_TRUE(frame().Dispatch(ID_COLOUR_MAP));
    EXPECT_TRUE(frame().Dispatch(ID_FLIP_COLOURS));
    EXPECT_FALSE(view().state().settings.flipColours);
    EXPECT_EQ(view().state().colours.entry(60), first);
}
} // namespace
