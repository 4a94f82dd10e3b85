#pragma once
// FReceiveCAN: the list of CAN frames the converter receives.

#include "editors/UFrameListDialog.h"

namespace kt {

class TFReceiveCAN : public TFrameListDialog {
    Q_OBJECT
public:
    TFReceiveCAN(AppState& state, Prompts& prompts, SwapEditor& swapEditor,
                 QWidget* parent = nullptr);
};

} // namespace kt
