#pragma once

#include <vector>

#include "cfgfile/euro_reader.h"

class QWidget;

namespace velquor::platform {
class Dialogs;
}

namespace velquor::ui {

/// The text of an opened file that a save will not write back (the reader's
/// findings of that kind), and the warning about it before the first save.
class DroppedLines {
  public:
    /// The findings of the file just opened; the next save warns again.
    void opened(std::vector<cfg::Diagnostic> findings);

    /// Before a save: the first time after an open whose file holds text the
    /// save drops, names it and asks Save or Cancel. True when the save may
    /// go on; after a Save it is not asked again until the next open.
    bool confirmSave(platform::Dialogs& dialogs, QWidget* parent);

  private:
    std::vector<cfg::Diagnostic> findings_;
};

}  // namespace velquor::ui
