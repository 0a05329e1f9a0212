// Runs the fuzz entry point once over each input, as libFuzzer replays a corpus, without
// libFuzzer: the arguments are folders (every file in them) or files. An input that crashes or
// aborts ends the run with its name printed last; no input at all is a failure too, so that a
// corpus path that names nothing cannot pass.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (QFileInfo(arg).isDir()) {
            const QDir dir(arg);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                inputs << dir.filePath(name);
        } else {
            inputs << arg;
        }
    }
    for (const QString &input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(input));
        std::fflush(stderr);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                               size_t(bytes.size()));
    }
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    std::printf("%lld inputs replayed\n", qint64(inputs.size()));
    return 0;
}
