#include "outputs/USaveBincc.h"

#include "outputs/ConfigImage.h"
#include "ui/UQtText.h"

namespace kt {

bool Build_Bank_File(const AppState& state, Prompts& prompts) {
    ConfigImage image{};
    if (const Status compiled = Compile_Config_Image(state.Files, image); !compiled) {
        prompts.error(Q(compiled.message));
        return false;
    }
    if (const Status written = Write_Config_Image(ConfigImageFile(state.ProjectDir), image);
        !written) {
        prompts.error(Q(written.message));
        return false;
    }
    return true;
}

} // namespace kt
