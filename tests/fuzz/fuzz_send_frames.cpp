// CAN_Send_Frames.xml reader with validation, saving and the outputs behind it.
#include "FuzzFrameList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kt::fuzz::FrameListFile(kt::FrameKind::Transmit, data, size);
    return 0;
}
