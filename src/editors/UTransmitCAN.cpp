#include "editors/UTransmitCAN.h"

namespace kt {

namespace {
const FrameDialogKind kTransmit{FrameKind::Transmit,
                                "FTransmitCAN",
                                "ACG_CAN_Transmit",
                                TextId::TransmitTitle,
                                TextId::TransmitRowNumberColumn,
                                TextId::TransmitCobIdHint,
                                TextId::TransmitDeleteQuestion,
                                TextId::TransmitInsertQuestion,
                                TextId::TransmitDiscardQuestion,
                                1100,
                                &ProjectFiles::SendFramesFile};
} // namespace

TFTransmitCAN::TFTransmitCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                             QWidget* parent)
    : TFrameListDialog(kTransmit, state, prompts, swapEditor, parent) {}

} // namespace kt
