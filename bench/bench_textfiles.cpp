// Throughput of page decoding/encoding and of the settings file, against Qt's own UTF-8
// conversion of the same bytes as the reference.
#include "../tests/common/szddwriter.h"
#include "documents/textcodec.h"
#include "shell/appsettings.h"
#include "shell/copyfileexpanding.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"

#include <benchmark/benchmark.h>

namespace {

// A generated 10 MB, 200,000-line page.
QByteArray page(bool legacy, bool crlf) {
    QByteArray out;
    out.reserve(11 << 20);
    const QByteArray eol = crlf ? "\r\n" : "\n";
    const QByteArray word = legacy ? "Gr\xFC\xDF"
                                     "e"
                                   : "Gr\xC3\xBC\xC3\x9F"
                                     "e";
    for (int i = 0; i < 200000; ++i)
        out += "<TR><TD CLASS=\"c\">" + word + " cell " + QByteArray::number(i) +
               "</TD><TD>text text</TD></TR>" + eol;
    return out;
}

void reference(benchmark::State &state) {
    const QByteArray bytes = page(false, true);
    for (auto _ : state) {
        QString text = QString::fromUtf8(bytes);
        benchmark::DoNotOptimize(text.toUtf8());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void roundTrip(benchmark::State &state, bool legacy, bool crlf) {
    const QByteArray bytes = page(legacy, crlf);
    for (auto _ : state) {
        const DecodedText d = decodeDocument(bytes);
        benchmark::DoNotOptimize(encodeDocument(d.text, d.format));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void utf8Lf(benchmark::State &s) {
    roundTrip(s, false, false);
}
void utf8Crlf(benchmark::State &s) {
    roundTrip(s, false, true);
}
void windows1252Crlf(benchmark::State &s) {
    roundTrip(s, true, true);
}

void settingsFile(benchmark::State &state) {
    AppSettings settings;
    for (int i = 0; i < 15; ++i)
        settings.buttonStartTexts[i] = QString(1000, QLatin1Char('x'));
    IniStore ini;
    writeSettings(settings, ini);
    const QByteArray bytes = ini.serialize();
    for (auto _ : state) {
        IniStore in;
        in.parse(bytes);
        AppSettings s;
        readSettings(in, s);
        IniStore out;
        writeSettings(s, out);
        benchmark::DoNotOptimize(out.serialize());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void expandSzddFile(benchmark::State &state) {
    QByteArray data;
    for (int i = 0; i < 4000; ++i)
        data += "word" + QByteArray::number(i * 7919 % 10007) + "/SFX\n";
    const QByteArray packed = szddCompress(data);
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(expandSzdd(packed, &out));
    }
    state.SetBytesProcessed(state.iterations() * data.size());
}

} // namespace

BENCHMARK(reference)->Unit(benchmark::kMillisecond);
BENCHMARK(utf8Lf)->Unit(benchmark::kMillisecond);
BENCHMARK(utf8Crlf)->Unit(benchmark::kMillisecond);
BENCHMARK(windows1252Crlf)->Unit(benchmark::kMillisecond);
BENCHMARK(settingsFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(expandSzddFile)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
