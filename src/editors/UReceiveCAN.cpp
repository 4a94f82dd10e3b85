#include "editors/UReceiveCAN.h"

namespace kt {

namespace {
const FrameDialogKind kReceive{FrameKind::Receive,
                               "FReceiveCAN",
                               "ACG_CAN_Receive",
                               TextId::ReceiveTitle,
                               TextId::ReceiveRowNumberColumn,
                               TextId::ReceiveCobIdHint,
                               TextId::ReceiveDeleteQuestion,
                               TextId::ReceiveInsertQuestion,
                               TextId::ReceiveDiscardQuestion,
                               1010,
                               &ProjectFiles::RecFramesFile};
} // namespace

TFReceiveCAN::TFReceiveCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                           QWidget* parent)
    : TFrameListDialog(kReceive, state, prompts, swapEditor, parent) {}

} // namespace kt
