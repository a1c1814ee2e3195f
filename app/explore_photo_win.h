#pragma once
// Explorer opened on a photo's folder with the photo selected, for the
// viewer who asked where the photo on the screen lies (E during the show).
#include <string>

namespace app {

// Starts explorer.exe /select,"path" and returns at once; `path` in UTF-8.
// Nothing is shown when it cannot start: the saver has ended already.
void ShowPhotoInExplorer(const std::string& path);

}  // namespace app
