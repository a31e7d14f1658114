#include "shell/FileFollower.h"

#include "document/CTest1Doc.h"
#include "document/LoadJob.h"
#include "document/TextFile.h"
#include "doi/DoiComputation.h"
#include "plot/CTest1View.h"
#include "shell/BackgroundLoad.h"
#include "shell/CMainFrame.h"
#include "shell/ViewCommands.h"

#include <QFileInfo>
#include <QPointer>
#include <QTime>

#include <algorithm>
#include <memory>
#include <optional>

const QString FileFollower::WaitingText = QStringLiteral(" Waiting for a complete model file");

namespace {
// One followed read: what it reads, what it found, and the files as they were when it
// began, so that a file rewritten while it was read is not taken.
struct FollowRead {
    struct Seen {
        std::string path;
        bool isModel;
        FileLook look;
    };
    LoadRequest request;
    std::vector<Seen> looks;
    std::optional<DoiIndex> doi; // asked for: the cutoff set
    std::string doiFileName;
    DoiMethod doiMethod = DoiMethod::RecoveredModel;
    MeshGrid mesh; // for the index: the loaded nodes
    LoadResult result;
    bool stale = false;

    bool unchanged() const {
        return std::ranges::all_of(
            looks, [](const Seen& seen) { return LookAt(seen.path, seen.isModel) == seen.look; });
    }
};
} // namespace

FileFollower::FileFollower(CTest1Doc& document, CTest1View& view, ViewCommands& viewCommands,
                           BackgroundLoad& loads, QObject* parent)
    : QObject(parent), document_(document), view_(view), viewCommands_(viewCommands),
      loads_(loads) {
    clock_.start();
    poll_.setInterval(PollMs);
    ticker_.setInterval(TickMs);
    connect(&poll_, &QTimer::timeout, this, &FileFollower::tick);
    connect(&ticker_, &QTimer::timeout, this, &FileFollower::tick);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::tick);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::tick);
}

void FileFollower::setOn(bool on, bool readNow) {
    if (on == on_ || (on && !document_.loaded))
        return;
    on_ = on;
    ++generation_;
    if (on) {
        targets_.clear();
        retarget(readNow);
        poll_.start();
        if (readNow)
            tick();
        return;
    }
    poll_.stop();
    ticker_.stop();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    targets_.clear();
    setIdleText(CMainFrame::IdleText);
}

void FileFollower::retarget(bool readNow) {
    if (!on_)
        return;
    if (!document_.loaded) {
        setOn(false);
        return;
    }
    std::vector<std::string> paths{ResolveAgainst(document_.folder(), document_.modelFileName)};
    if (document_.convergenceLoaded && !document_.outputFileName.empty())
        paths.push_back(ResolveAgainst(document_.folder(), document_.outputFileName));
    const bool same = paths.size() == targets_.size() &&
                      std::ranges::equal(paths, targets_, {}, {}, &Target::path);
    if (same)
        return;
    // New files (Open, or a history now loaded): what is on disk counts as shown.
    std::vector<Target> targets;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Target& target = targets.emplace_back();
        target.path = paths[i];
        target.isModel = i == 0;
        target.settle = FileSettle(target.isModel);
        target.settle.reset(readNow ? FileLook{} : LookAt(target.path, target.isModel), now());
    }
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    targets_ = std::move(targets);
    watch();
}

void FileFollower::watch() {
    for (Target& target : targets_) {
        // A file replaced by a rename, or deleted and made again, is another file: the
        // watch on the old one would hear nothing more.
        // (The watcher itself drops a path whose file was deleted.)
        const FileLook& look = target.settle.last();
        const QString path = QString::fromStdString(target.path);
        bool watched = watcher_.files().contains(path);
        if (watched && (!look.exists || look.inode != target.watchedInode)) {
            watcher_.removePath(path);
            watched = false;
        }
        if (look.exists && !watched && watcher_.addPath(path))
            target.watchedInode = look.inode;
        // The folder tells of files made, removed and renamed there.
        const QString folder = QFileInfo(path).absolutePath();
        if (!watcher_.directories().contains(folder))
            watcher_.addPath(folder);
    }
}

void FileFollower::look() {
    for (Target& target : targets_)
        target.settle.observe(LookAt(target.path, target.isModel), now());
    watch();
}

bool FileFollower::readyToRead() const {
    // Each changed file must have settled; one that is not there does not hold up the
    // others.
    bool any = false;
    for (const Target& target : targets_) {
        if (!target.settle.changed())
            continue;
        if (target.settle.ready(now()))
            any = true;
        else if (target.settle.last().exists)
            return false;
    }
    return any;
}

void FileFollower::tick() {
    if (!on_)
        return;
    look();
    // A read waits for a running load (Open, Reload or the last followed read) to end.
    if (readyToRead() && !loads_.busy())
        startRead();
    const bool pending =
        std::ranges::any_of(targets_, [](const Target& target) { return target.settle.changed(); });
    if (pending && !ticker_.isActive())
        ticker_.start();
    else if (!pending)
        ticker_.stop();
}

void FileFollower::startRead() {
    auto read = std::make_shared<FollowRead>();
    read->request = document_.ReloadRequest();
    read->request.kind = LoadRequest::Kind::Follow;
    for (Target& target : targets_) {
        read->looks.push_back({target.path, target.isModel, target.settle.last()});
        target.settle.taken();
    }
    if (view_.state().doi.shown) {
        DoiIndex& doi = read->doi.emplace();
        doi.cutoff = view_.state().doi.cutoff;
        read->doiFileName = viewCommands_.doiFileName();
        read->doiMethod =
            viewCommands_.doiRecovered() ? DoiMethod::RecoveredModel : DoiMethod::Sensitivity;
        read->mesh = document_.mesh;
    }
    QPointer<FileFollower> self(this);
    const unsigned generation = generation_;
    loads_.start(
        [read](ReadProgress& progress) {
            if (!read->unchanged()) {
                read->stale = true;
                return;
            }
            read->result = RunLoad(read->request, &progress);
            // Rewritten while it was read: the read may mix two versions.
            if (!read->unchanged()) {
                read->stale = true;
                return;
            }
            if (read->result.complete && read->doi) {
                // The mask of the new values; it is dropped if it cannot be made.
                RecordingMessages unseen;
                ComputeDoi(read->result.folder, read->request.modelKind, read->mesh,
                           read->result.model, read->doiFileName, read->doiMethod, *read->doi,
                           unseen);
            }
        },
        [self, generation, read] {
            if (!self || !self->on_ || generation != self->generation_ || read->stale)
                return;
            FileFollower& follower = *self;
            follower.lastMessages_ = read->result.messages;
            const bool otherCounts = read->result.otherCounts;
            const bool taken = follower.document_.ApplyLoad(std::move(read->result));
            if (otherCounts) {
                follower.setOn(false);
            } else if (!taken) {
                follower.setIdleText(WaitingText);
            } else {
                if (read->doi)
                    follower.view_.state().doi = std::move(*read->doi);
                QString text = QStringLiteral(" Updated ") +
                               QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
                const CTest1Doc& doc = follower.document_;
                if (doc.convergenceLoaded && !doc.history.misfit.empty())
                    text += QStringLiteral(", iteration %1").arg(doc.history.misfit.size() - 1);
                follower.setIdleText(text);
            }
            emit follower.loaded();
        });
}

void FileFollower::setIdleText(const QString& text) {
    emit idleTextChanged(text);
}
