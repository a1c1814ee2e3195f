#pragma once
// A Unix symbolic link made from inside Wine, whose own call makes none: the
// Unix `ln` is started as a process (Wine runs a Unix program it is asked to
// start). Under Wine such a link to a folder lists as a folder and opens as
// its target, as a link or a junction does on Windows. Wine's own deletes
// follow the link into its target, so it goes with the Unix `rm`.
#include <string>

namespace driver {

class UnixLink {
 public:
  // Makes `link` point at `target` (both Windows paths); throws when it cannot.
  UnixLink(const std::wstring& link, const std::wstring& target);
  UnixLink(const UnixLink&) = delete;
  UnixLink& operator=(const UnixLink&) = delete;
  ~UnixLink();

 private:
  std::wstring link_;
};

}  // namespace driver
