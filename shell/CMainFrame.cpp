#include "shell/CMainFrame.h"

#include "document/CTest1Doc.h"

CMainFrame::CMainFrame(CTest1Doc& document, QWidget* parent)
    : QMainWindow(parent), document_(document) {
    UpdateTitle();
}

QString CMainFrame::WindowTitleFor(const CTest1Doc& document) {
    QString name = document.title.empty() ? QStringLiteral("Untitled")
                                          : QString::fromStdString(document.title);
    // "[*]" in a title is the modified-marker placeholder; keep it literal.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral(" - KORVEX Model Viewer");
}

void CMainFrame::UpdateTitle() { setWindowTitle(WindowTitleFor(document_)); }
