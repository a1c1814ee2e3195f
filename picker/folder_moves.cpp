#include "picker/folder_moves.h"

#include <condition_variable>
#include <mutex>
#include <utility>

#include "picker/folder_path.h"

namespace picker {

// What the reader found for one move, and whether the dialog's thread has
// applied it: the quick wait or the answer, whichever comes first.
struct FolderMoves::Pending {
  std::mutex mutex;
  std::condition_variable answered;
  std::optional<Found> found;
  bool applied = false;  // the dialog's thread's own
};

FolderMoves::FolderMoves(platform::BackgroundReader& reads, int slot,
                         std::shared_ptr<const FolderSystem> system, std::string start,
                         std::function<void()> moved, std::chrono::milliseconds quickAnswer)
    : reads_(reads),
      slot_(slot),
      system_(std::move(system)),
      moved_(std::move(moved)),
      quickAnswer_(quickAnswer),
      folder_(std::move(start)) {
  driveFolders_[Drive()] = folder_;
}

FolderMoves::~FolderMoves() { reads_.Cancel(slot_); }

char FolderMoves::Drive() const { return DriveOf(folder_); }

bool FolderMoves::OpenFolder(const std::string& path, std::function<void(bool opened)> done) {
  const std::string full = path.empty() ? std::string() : system_->FullPath(path);
  if (full.empty()) return false;
  Ask({false, full, '\0', [done = std::move(done)](const Found& found) {
         if (done) done(!found.folder.empty());
       }});
  return true;
}

void FolderMoves::OpenDrive(char driveLetter, std::function<void(const DriveChange&)> done) {
  Ask({true, {}, DriveOf(std::string{driveLetter, ':'}), [done = std::move(done)](const Found& found) {
         if (done) done(found.drive);
       }});
}

FolderMoves::Found FolderMoves::FindDrive(const FolderSystem& system, char drive,
                                          const std::string& remembered) {
  Found found{{}, system.ProbeDrive(drive)};
  if (found.drive.kind != DriveChange::Kind::Done) return found;
  const std::string target = remembered.empty() ? system.FullPath(std::string{drive, ':'}) : remembered;
  found.folder = !target.empty() && system.IsListableFolder(target) ? target : DriveRoot(drive);
  return found;
}

void FolderMoves::Ask(Move move) {
  asked_.push_back(std::move(move));
  StartNext();
}

void FolderMoves::StartNext() {
  while (!current_ && !asked_.empty()) {
    Move move = std::move(asked_.front());
    asked_.pop_front();
    if (move.toDrive && (move.drive == '\0' || move.drive == Drive())) {
      if (move.done) move.done({});
      continue;
    }
    Begin(std::move(move));
  }
}

void FolderMoves::Begin(Move move) {
  std::function<Found(const FolderSystem&)> find;
  Found failed;
  if (move.toDrive) {
    const auto known = driveFolders_.find(move.drive);
    find = [drive = move.drive, remembered = known != driveFolders_.end() ? known->second : std::string()](
               const FolderSystem& system) { return FindDrive(system, drive, remembered); };
    failed.drive = {DriveChange::Kind::NotReady, {}};
  } else {
    find = [folder = move.folder](const FolderSystem& system) {
      return Found{system.IsListableFolder(folder) ? folder : std::string(), {}};
    };
  }
  current_ = std::move(move);
  const auto pending = std::make_shared<Pending>();
  reads_.Start(
      slot_,
      [this, pending, system = system_, find = std::move(find)] {
        Found found = find(*system);
        {
          std::lock_guard lock(pending->mutex);
          pending->found = std::move(found);
        }
        pending->answered.notify_all();
        return platform::BackgroundReader::Answer([this, pending] { Apply(pending); });
      },
      [this, pending, failed] {
        {
          std::lock_guard lock(pending->mutex);
          if (!pending->found) pending->found = failed;
        }
        Apply(pending);
      });
  std::unique_lock lock(pending->mutex);
  if (!pending->answered.wait_for(lock, quickAnswer_, [&] { return pending->found.has_value(); })) return;
  lock.unlock();
  Apply(pending);
}

void FolderMoves::Apply(const std::shared_ptr<Pending>& pending) {
  if (std::exchange(pending->applied, true)) return;
  Found found;
  {
    std::lock_guard lock(pending->mutex);
    found = *pending->found;
  }
  Move move = std::move(*current_);
  current_.reset();
  if (!found.folder.empty() && !system_->SameFolder(found.folder, folder_)) {
    folder_ = found.folder;
    driveFolders_[Drive()] = folder_;
    if (moved_) moved_();
  }
  if (move.done) move.done(found);
  StartNext();
}

}  // namespace picker
