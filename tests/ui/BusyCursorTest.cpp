#include "AppFixture.h"

#include "dialogs/BusyCursor.h"
#include "dialogs/CDlgWeight.h"
#include "shell/CommandIds.h"

#include <QCursor>
#include <QGuiApplication>

#include <vector>

// File reads run under the wait cursor and leave none behind, whatever their outcome.
namespace {
int OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : -1;
}

class BusyCursorTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        startWith(Conductivity, "4 2\n0.01 0.02 0.03 0.04\n0.1 0.2 0.3 0.4\n");
        // Every read ends in a document update, which sees the cursor of that moment.
        doc().AddUpdateListener([this] { seen.push_back(OverrideShape()); });
    }
    std::vector<int> seen;
};

TEST_F(BusyCursorTest, ReloadWeightsAndOpenReadUnderTheWaitCursor) {
    EXPECT_TRUE(frame().Dispatch(ID_RELOAD));
    answer = [this](QDialog& dialog) {
        dynamic_cast<CDlgWeight&>(dialog).weightFileName = folder.at("missing.wts");
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));           // fails, and still updates
    answer = [](QDialog&) { return int(QDialog::Accepted); }; // the load dialog as filled
    EXPECT_TRUE(frame().Dispatch(ID_OPEN_FILES));
    EXPECT_EQ(seen, std::vector<int>(3, int(Qt::WaitCursor)));
    EXPECT_EQ(OverrideShape(), -1);
    EXPECT_EQ(messages.entries.size(), 1u); // the missing weight file
}

TEST_F(BusyCursorTest, CancelledDialogsReadNothingAndSetNoCursor) {
    EXPECT_TRUE(frame().Dispatch(ID_LOAD_WEIGHTS));
    EXPECT_TRUE(frame().Dispatch(ID_OPEN_FILES));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(OverrideShape(), -1);
}

TEST(NormalCursor, LiftsNestedWaitCursorsForAMessageAndPutsThemBack) {
    const BusyCursor outer;
    {
        const BusyCursor inner;
        {
            const NormalCursor normal;
            EXPECT_EQ(OverrideShape(), -1);
        }
        EXPECT_EQ(OverrideShape(), int(Qt::WaitCursor));
    }
    EXPECT_EQ(OverrideShape(), int(Qt::WaitCursor)); // the inner one came back: one left
}
} // namespace
