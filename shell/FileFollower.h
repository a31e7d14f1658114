#pragma once

#include "document/FileSettle.h"
#include "document/RecordingMessages.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

class BackgroundLoad;
class CTest1Doc;
class CTest1View;
class ViewCommands;

// "Follow file changes": watches the model file and the loaded convergence file while
// another program (a running inversion) rewrites them, and reloads them once they have
// settled, on the worker thread of the other loads. A read that fails is not reported:
// the model shown stays and the status bar's idle text says that the viewer waits for
// a complete file. A model for another mesh ends the following with Reload's warning.
class FileFollower : public QObject {
    Q_OBJECT
public:
    FileFollower(CTest1Doc& document, CTest1View& view, ViewCommands& viewCommands,
                 BackgroundLoad& loads, QObject* parent = nullptr);

    // Starting needs loaded data; stopping drops the watches, the timers and the result
    // of a read still running. readNow: the files are read once they are still, changed
    // or not (they may have changed while nobody followed them).
    void setOn(bool on, bool readNow = false);
    bool isOn() const { return on_; }
    // After a load: follows the document's files as they are named now, and stops when
    // nothing is loaded.
    void retarget() { retarget(false); }

    // The messages of the last followed read, which nobody was shown.
    const std::vector<RecordingMessages::Entry>& lastMessages() const { return lastMessages_; }

    static const QString WaitingText;
    static constexpr int PollMs = 2000; // for file systems that report no changes
    static constexpr int TickMs = 50;   // looks while a change settles

signals:
    void idleTextChanged(const QString& text);
    // A followed read has been taken in or has ended the following.
    void loaded();

private:
    struct Target {
        std::string path;
        bool isModel = false;
        FileSettle settle;
        std::uint64_t watchedInode = 0; // the file the watcher is on
    };
    std::int64_t now() const { return clock_.elapsed(); }
    void retarget(bool readNow);
    void look();
    void watch();
    void tick();
    bool readyToRead() const;
    void startRead();
    void setIdleText(const QString& text);

    CTest1Doc& document_;
    CTest1View& view_;
    ViewCommands& viewCommands_;
    BackgroundLoad& loads_;
    bool on_ = false;
    std::vector<Target> targets_; // the model first
    QFileSystemWatcher watcher_;
    QTimer poll_;
    QTimer ticker_;
    QElapsedTimer clock_;
    unsigned generation_ = 0; // a read begun before the last stop is dropped
    std::vector<RecordingMessages::Entry> lastMessages_;
};
