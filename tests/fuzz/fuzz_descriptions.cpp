// Fuzz target of the description reader: every input is read into a fresh
// form (see support/DescriptionCheck.h); an unsound outcome aborts. Built with
// libFuzzer by scripts/fuzz-descriptions; built without it
// (TESSARON_FUZZ_DRIVER) it checks the files named on its command line, one
// line of outcome per file, and exits 1 when one of them is unsound.

#include "support/DescriptionCheck.h"

#include <platform/Forms.h>

#include <QApplication>
#include <QFile>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace {

void StartApplication()
{
    // Never destroyed: the process ends without tearing Qt down after its
    // own statics are gone.
    static Tessaron::TApplicationHost* app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    static int argc = 1;
    static char name[] = "fuzz_descriptions";
    static char* argv[] = {name, nullptr};
    app = new Tessaron::TApplicationHost(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* Data, size_t Size)
{
    StartApplication();
    const auto outcome = TestSupport::CheckDescription(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    if (!outcome.Problem.isEmpty()) {
        std::fprintf(stderr, "unsound outcome: %s\n", qPrintable(outcome.Problem));
        std::abort();
    }
    return 0;
}

#ifdef TESSARON_FUZZ_DRIVER
int main(int argc, char** argv)
{
    StartApplication();
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        QFile f(QString::fromLocal8Bit(argv[i]));
        if (!f.open(QIODevice::ReadOnly)) {
            std::printf("%s: cannot be opened\n", argv[i]);
            status = 1;
            continue;
        }
        const auto outcome = TestSupport::CheckDescription(f.readAll());
        std::printf("%s: %s %s\n", argv[i], outcome.Read ? "read" : "refused",
            qPrintable(outcome.Problem.isEmpty() ? outcome.Error : QStringLiteral("UNSOUND: ") + outcome.Problem));
        std::fflush(stdout);
        if (!outcome.Problem.isEmpty())
            status = 1;
    }
    return status;
}
#endif
