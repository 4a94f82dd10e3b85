#include "handover/UHandover.h"

#include "base/FileUtil.h"
#include "checks/UCheckProject.h"
#include "handover/HandoverPack.h"
#include "handover/pdf/ReportPdf.h"
#include "ui/UQtText.h"

namespace kt {

void CreateHandoverPack(const AppState& state, Prompts& prompts) {
    // Built first, so a Project the GSD step would refuse is refused before any dialog.
    const HandoverRequest request{state.ProjectDir, state.Settings.ProjectName, ReportDateNow()};
    std::vector<HandoverFile> files;
    if (const Status built = BuildHandoverFiles(request, state.Lang, RenderReportPdf, files);
        !built) {
        prompts.error(Q(built.message));
        return;
    }
    // The pack goes to the PLC programmer: a faulty Project is passed on only knowingly.
    if (!GoOnDespiteErrors(state, prompts)) return;
    const QString chosen =
        prompts.folderName(QPath(state.ProjectDir), Q(state.Text(TextId::HandoverChooseFolder)));
    if (chosen.isEmpty()) return;
    const std::filesystem::path dir = PathOf(chosen);
    if (HandoverWouldReplace(dir, files) &&
        !prompts.confirm(Q(state.Text(TextId::HandoverReplace))))
        return;
    if (const Status written = WriteHandoverPack(dir, files); !written) {
        prompts.error(Q(written.message));
        return;
    }
    prompts.info(Q(state.Text(TextId::HandoverWritten)) + QPath(dir));
}

} // namespace kt
