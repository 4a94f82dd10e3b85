#include "editors/UReceiveCAN.h"

namespace kt {

namespace {
const FrameDialogKind kReceive{FrameKind::Receive,
                               "FReceiveCAN",
                               "ACG_CAN_Receive",
                               1700,
                               1716,
                               1723,
                               1735,
                               1737,
                               1738,
                               1010,
                               &ProjectFiles::RecFramesFile};
} // namespace

TFReceiveCAN::TFReceiveCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                           QWidget* parent)
    : TFrameListDialog(kReceive, state, prompts, swapEditor, parent) {}

} // namespace kt
