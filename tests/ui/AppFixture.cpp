#include "AppFixture.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QToolButton>

void AppFixture::TearDown() {
    app.reset();
}

bool AppFixture::start(const std::vector<std::string>& args, const std::string& launchFolder) {
    app = std::make_unique<CTest1App>(messages);
    // Open and Reload end before the command returns, so the tests can look at once.
    app->SetLoadsInBackground(false);
    app->SetDialogRunner([this](QDialog& dialog) {
        ++dialogsRun;
        return answer(dialog);
    });
    const bool ok =
        app->InitInstance(args, launchFolder.empty() ? folder.path().string() : launchFolder);
    if (ok) {
        app->frame()->resize(800, 600);
        QApplication::processEvents();
    }
    return ok;
}

void AppFixture::startWith(ModelKind kind, const std::string& model, bool convergence) {
    folder.write("grid.msh", Mesh);
    folder.write("model.txt", model);
    folder.write("run.out", "2\n0 1000 0\n1 100 10\n2 10 20\n5 target\n");
    ASSERT_TRUE(start({}));
    // Loads as Open does, for kinds the command line cannot ask for.
    doc().modelKind = kind;
    doc().meshFileName = folder.at("grid.msh");
    doc().modelFileName = folder.at("model.txt");
    doc().outputFileName = folder.at("run.out");
    doc().convergenceLoaded = convergence && doc().ReadConvergenceFile() == ReadResult::Ok;
    ASSERT_EQ(doc().ReadModelFile(), ReadResult::Ok);
    ASSERT_EQ(doc().ReadMeshFile(), ReadResult::Ok);
    doc().loaded = true;
    doc().UpdateAllViews();
}

QToolButton* AppFixture::button(int id) {
    return qobject_cast<QToolButton*>(frame().toolBar()->widgetForAction(frame().action(id)));
}

int AppFixture::visibleButtons() {
    int count = 0;
    for (QAction* action : frame().toolBar()->actions())
        count += !action->isSeparator() && action->isVisible();
    return count;
}
