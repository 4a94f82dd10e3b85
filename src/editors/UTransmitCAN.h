#pragma once
// FTransmitCAN: the list of CAN frames the converter sends.

#include "editors/UFrameListDialog.h"

namespace kt {

class TFTransmitCAN : public TFrameListDialog {
    Q_OBJECT
public:
    TFTransmitCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                  QWidget* parent = nullptr);
};

} // namespace kt
