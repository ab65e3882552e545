#include "form_commands.h"

#include "command_run.h"
#include "state_files.h"

namespace stavrel {

void ConvertToSnes9x(FormView& form, Platform& platform, const std::wstring& source,
                     const ConverterPacing& pacing) {
  if (source.empty()) return;
  RunCommand(form, [&]() -> std::vector<CommandReport> {
    // The save dialog has asked before a file is replaced; a typed name is
    // the user's own choice.
    const ConvertPlan plan = PlanConvert(
        {source, form.BoxText(Box::File2), form.BoxText(Box::Factor), /*replace=*/true}, platform);
    if (!RunConvert(plan, form, platform, pacing).converted) {
      form.Messages().Show({Severity::Error, L"At least 4 variables needed to convert"});
      ClearBoxes(form);
    }
    return {};
  });
}

void ClearBoxes(FormView& form) {
  for (Box box : {Box::Factor, Box::VarFound, Box::File1, Box::File2}) form.SetBoxText(box, L"");
  form.SetProgressValue(0);
}

void Decompress(FormView& form, Platform& platform, const std::wstring& state) {
  if (state.empty()) return;
  RunCommand(form, [&] {
    const DecompressPlan plan = PlanDecompress({state, form.BoxText(Box::FName)}, platform);
    return RunDecompress(plan, form, platform).warnings;
  });
}

void Compress(FormView& form, Platform& platform, const std::wstring& path) {
  if (path.empty()) return;
  RunCommand(form,
             [&] { return RunCompress(PlanCompress({path}, platform), form, platform).warnings; });
}

}  // namespace stavrel
