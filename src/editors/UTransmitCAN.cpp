#include "editors/UTransmitCAN.h"

namespace kt {

namespace {
const FrameDialogKind kTransmit{FrameKind::Transmit,
                                "FTransmitCAN",
                                "ACG_CAN_Transmit",
                                1800,
                                1816,
                                1825,
                                1839,
                                1841,
                                1842,
                                1100,
                                &ProjectFiles::SendFramesFile};
} // namespace

TFTransmitCAN::TFTransmitCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                             QWidget* parent)
    : TFrameListDialog(kTransmit, state, prompts, swapEditor, parent) {}

} // namespace kt
