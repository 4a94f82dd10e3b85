#include "outputs/UProfibus_GSD.h"

#include "core/FileUtil.h"
#include "core/UQtText.h"
#include "outputs/GsdFile.h"

#include <system_error>

namespace kt {

void Create_GSD_File(const AppState& state, Prompts& prompts) {
    GSD_Data data;
    bool hasParGen = false;
    if (const Status read = Read_GSD_Data(state.Files, data, hasParGen); !read) {
        prompts.error(Q(read.message));
        return;
    }
    if (!hasParGen) {
        prompts.error(Q(state.Text(1504)));
        return;
    }
    const QString chosen = prompts.saveFileName(QPath(state.ProjectDir), GsdFileFilter);
    if (chosen.isEmpty()) return;
    const std::filesystem::path target = PathFromUtf8(WithGsdExtension(S(chosen)));
    std::error_code ec;
    if (std::filesystem::exists(target, ec) && !prompts.confirm(Q(state.Text(1503)))) return;
    if (const Status written = Write_GSD_File(target, data, state.Lang); !written)
        prompts.error(Q(written.message));
}

} // namespace kt
