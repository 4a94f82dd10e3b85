#include "outputs/UProfibus_GSD.h"

#include "base/FileUtil.h"
#include "outputs/GsdFile.h"
#include "ui/UQtText.h"

#include <system_error>

namespace kt {

void Create_GSD_File(const AppState& state, Prompts& prompts) {
    const Result<GSD_Data> read = Read_GSD_Data(state.Files);
    if (read.status.notFound()) {
        prompts.error(Q(state.Text(TextId::GsdNeedsParGen)));
        return;
    }
    if (!read) {
        prompts.error(Q(read.status.message));
        return;
    }
    const GSD_Data& data = read.value;
    const QString chosen = prompts.saveFileName(QPath(state.ProjectDir), GsdFileFilter);
    if (chosen.isEmpty()) return;
    const std::filesystem::path target = PathFromUtf8(WithGsdExtension(S(chosen)));
    std::error_code ec;
    if (std::filesystem::exists(target, ec) &&
        !prompts.confirm(Q(state.Text(TextId::FileExistsOverwrite))))
        return;
    if (const Status written = Write_GSD_File(target, data, state.Lang); !written)
        prompts.error(Q(written.message));
}

} // namespace kt
