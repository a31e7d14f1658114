#pragma once

#include <QMainWindow>

class CTest1Doc;

// The main window: carries the title after the document's model file.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CTest1Doc& document, QWidget* parent = nullptr);

    // "<document title> - KORVEX Model Viewer", "Untitled" while no model is loaded.
    static QString WindowTitleFor(const CTest1Doc& document);
    void UpdateTitle();

private:
    CTest1Doc& document_;
};
