// The wizard's templates ("prg.wiz", "lib.wiz") filled with any answers.
#include "FuzzInput.h"
#include "core/tools/Wizard.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t bits = in.take();
    WizardAnswers answers;
    answers.kind = bits & 1 ? WizardKind::Library : WizardKind::Program;
    answers.ti92 = bits & 2;
    answers.ti92plus = bits & 4;
    answers.ti89 = bits & 8;
    answers.kernel = bits & 16 ? WizardKernel::PlusShellDoorsOS : WizardKernel::QuaroII;
    answers.text = QStringLiteral("name");
    FillTemplate(templateLines(in.copy()), answers);
    return 0;
}
