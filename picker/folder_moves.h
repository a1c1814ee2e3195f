#pragma once
// Where the folder list dlbThumb stands, and its moves to another folder or
// drive. Whether a folder can be listed and whether a drive is ready are asked
// of the disk on the dialog's reader, never on its thread: a mapped drive
// whose server sleeps holds the reader for the network's time-out while the
// dialog goes on answering. A move is applied on the dialog's thread: at
// once when the disk answers within a moment (a local disk, so the list
// moves as the user acts), else when the answer comes. Moves apply in the
// order asked, each from where the one before left the list. Each drive's
// last folder is remembered, so a change of drive comes back where the user
// left that drive.
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "picker/controls.h"
#include "platform/background_reader.h"

namespace picker {

// The file system as the folder list meets it. Paths are UTF-8.
class FolderSystem {
 public:
  virtual ~FolderSystem() = default;
  // The absolute form of a path as ListedFolder gives it, "" when it has
  // none; a drive alone ("D:") gives that drive's current folder. Reads
  // nothing from the disk.
  virtual std::string FullPath(const std::string& path) const = 0;
  // Whether two paths name one folder, with names compared as the file
  // system compares them.
  virtual bool SameFolder(const std::string& a, const std::string& b) const = 0;
  // These two ask the disk, and run on the reader.
  virtual bool IsListableFolder(const std::string& folder) const = 0;
  // Done when the drive's root can be listed.
  virtual DriveChange ProbeDrive(char driveLetter) const = 0;
};

class FolderMoves {
 public:
  // How long the dialog's thread waits for the disk before it goes on and
  // applies the move when the answer comes.
  static constexpr std::chrono::milliseconds kQuickAnswer{100};

  // Starts at `start` (an absolute folder, taken as it is); `moved` runs on
  // the dialog's thread after every later change of the folder.
  FolderMoves(platform::BackgroundReader& reads, int slot, std::shared_ptr<const FolderSystem> system,
              std::string start, std::function<void()> moved,
              std::chrono::milliseconds quickAnswer = kQuickAnswer);
  // Forgets a move under way.
  ~FolderMoves();
  FolderMoves(const FolderMoves&) = delete;
  FolderMoves& operator=(const FolderMoves&) = delete;

  const std::string& Folder() const { return folder_; }
  char Drive() const;

  // To `path` when it is a folder that can be listed; `done` then gets true,
  // or false when it is refused (the list stays). False at once, and nothing
  // asked, when the text names no folder at all.
  bool OpenFolder(const std::string& path, std::function<void(bool opened)> done = {});
  // To the drive's last folder, else its current folder, else its root, once
  // the drive has answered that it is ready; `done` gets the drive's answer
  // after the move (NotReady when asking it failed outright). The drive shown
  // answers Done and moves nothing, without asking the disk.
  void OpenDrive(char driveLetter, std::function<void(const DriveChange&)> done = {});

 private:
  // What a move found on the reader: the folder to go to ("" to stay), and
  // for a drive, its answer.
  struct Found {
    std::string folder;
    DriveChange drive;
  };
  struct Move {
    bool toDrive = false;
    std::string folder;  // a move to a folder: its full path
    char drive = '\0';   // a move to a drive: its letter
    std::function<void(const Found&)> done;
  };
  struct Pending;

  static Found FindDrive(const FolderSystem& system, char drive, const std::string& remembered);
  void Ask(Move move);
  void StartNext();
  void Begin(Move move);
  void Apply(const std::shared_ptr<Pending>& pending);

  platform::BackgroundReader& reads_;
  int slot_;
  std::shared_ptr<const FolderSystem> system_;
  std::function<void()> moved_;
  std::chrono::milliseconds quickAnswer_;
  std::string folder_;
  std::map<char, std::string> driveFolders_;
  std::deque<Move> asked_;
  // The move whose answer is awaited; one at a time.
  std::optional<Move> current_;
};

}  // namespace picker
