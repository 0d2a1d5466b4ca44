// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How much the strict decoder costs on top of parsing the JSON at all.
//
// Each body is decoded twice: once with the app's envelope decoder (parse, key conversion,
// records with every rule checked) and once with a bare QJsonDocument::fromJson of the same
// bytes, the baseline. The figure worth watching is the ratio
// between the two, printed at the end: it moves far less from machine to machine than the times.
#include "models/AppError.h"
#include "services/EnvelopeDecoder.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

namespace {

constexpr int kPageSize = 20;
constexpr int kListSize = 2000;

const char *const kFormats[] = {"jpg", "png", "heic"};
const char *const kAdjectives[] = {"Quiet", "Amber", "Midnight", "Velvet", "Glacial", "Golden", "Misty", "Electric"};
const char *const kNouns[] = {"Horizon", "Drift", "Bloom", "Tide", "Aurora", "Canyon", "Meadow", "Nebula"};
const char *const kCategories[] = {"abstract", "nature", "space", "minimal", "gradients", "dark"};

QByteArray number(long long n)
{
    return QByteArray::number(n);
}

QByteArray quoted(const QByteArray &text)
{
    return '"' + text + '"';
}

// Alternates both date forms the service may send, so neither parser path is left out.
QByteArray date(int n, int offsetMinutes)
{
    const int day = 1 + n % 28, hour = n % 24, minute = (n * 7 + offsetMinutes) % 60, second = (n * 13) % 60;
    QByteArray text = QByteArray("2024-") + QByteArray::number(1 + n % 12).rightJustified(2, '0') + '-' +
                      QByteArray::number(day).rightJustified(2, '0') + 'T' +
                      QByteArray::number(hour).rightJustified(2, '0') + ':' +
                      QByteArray::number(minute).rightJustified(2, '0') + ':' +
                      QByteArray::number(second).rightJustified(2, '0');
    if (n % 2 == 0)
        text += '.' + QByteArray::number((n * 37) % 1000).rightJustified(3, '0') + 'Z';
    else
        text += "+02:00";
    return quoted(text);
}

QByteArray category(int n)
{
    const QByteArray slug = kCategories[n % 6];
    return "{\"id\":\"cat-" + slug + "\",\"name\":\"" + slug.left(1).toUpper() + slug.mid(1) + "\",\"slug\":\"" + slug +
           "\",\"description\":\"Wallpapers filed under " + slug + "\",\"cover_image_key\":\"categories/" + slug +
           "/cover.jpg\",\"sort_order\":" + number(n % 6) + ",\"is_active\":true,\"wallpaper_count\":" +
           number(120 + n % 6) + ",\"created_at\":" + date(n % 6, 0) + ",\"updated_at\":" + date(n % 6 + 1, 5) + "}";
}

// One wallpaper with every field the service can send, in the service's snake_case.
QByteArray wallpaper(int n)
{
    const QByteArray id = QByteArray::number(0x5eed0000ULL + n * 2654435761ULL, 16).rightJustified(16, '0');
    const QByteArray dir = "wallpapers/" + id + "/";
    const QByteArray title = QByteArray(kAdjectives[n % 8]) + ' ' + kNouns[(n / 8) % 8] + ' ' + number(n);
    const QByteArray cat = kCategories[n % 6];
    return "{\"id\":" + quoted(id) + ",\"title\":" + quoted(title) + ",\"description\":\"A " + cat +
           " wallpaper in " + kAdjectives[(n + 3) % 8] + " tones, shot at dawn.\",\"file_key\":" +
           quoted(dir + "source.jpg") + ",\"thumbnail_key\":" + quoted(dir + "thumb.jpg") +
           ",\"medium_key\":" + quoted(dir + "medium.jpg") + ",\"full_key\":" + quoted(dir + "full.jpg") +
           ",\"width\":" + number(n % 3 ? 3840 : 5120) + ",\"height\":" + number(n % 3 ? 2160 : 2880) +
           ",\"file_size\":" + number(2'000'000 + n * 7919LL) + ",\"format\":" + quoted(kFormats[n % 3]) +
           ",\"is_live\":" + (n % 10 == 0 ? "true" : "false") + ",\"video_key\":" + quoted(dir + "live.mov") +
           ",\"is_featured\":" + (n % 7 == 0 ? "true" : "false") + ",\"featured_order\":" + number(n % 7) +
           ",\"status\":\"approved\",\"download_count\":" + number((n * 31) % 5000) +
           ",\"favorite_count\":" + number((n * 17) % 900) + ",\"view_count\":" + number((n * 101) % 40000) +
           ",\"tags\":[" + quoted(cat) + ',' + quoted(QByteArray(kNouns[n % 8]).toLower()) + ",\"4k\"]" +
           ",\"category\":" + category(n) + ",\"created_at\":" + date(n, 0) + ",\"updated_at\":" + date(n + 1, 11) +
           ",\"deleted_at\":" + date(n + 2, 23) + ",\"uploaded_by_id\":\"device-" + number(n % 97) +
           "\",\"category_id\":\"cat-" + cat + "\"}";
}

QByteArray records(int count)
{
    QByteArray out = "[";
    for (int n = 0; n < count; ++n) {
        if (n)
            out += ',';
        out += wallpaper(n);
    }
    return out + ']';
}

// The paged list as /wallpapers answers it.
QByteArray pageBody(int count)
{
    return "{\"success\":true,\"data\":" + records(count) + ",\"message\":\"OK\",\"pagination\":{\"page\":1,\"limit\":" +
           number(count) + ",\"total\":10000,\"total_pages\":" + number((10000 + count - 1) / count) + "}}";
}

// A plain list envelope, as /wallpapers/featured or /uploads/my-uploads answer it.
QByteArray listBody(int count)
{
    return "{\"success\":true,\"data\":" + records(count) + ",\"message\":\"OK\"}";
}

const QByteArray &page()
{
    static const QByteArray body = pageBody(kPageSize);
    return body;
}

const QByteArray &list()
{
    static const QByteArray body = listBody(kListSize);
    return body;
}

// The decoder ignores keys it does not know, so a misspelt key in the generator would quietly
// leave a field absent and the benchmark would measure less work than a real body costs.
// Every optional field must therefore come out present; returns what is missing.
QString missingFields()
{
    QStringList missing;
    const auto decoded = EnvelopeDecoder::wallpaperPage(page());
    const Wallpaper &w = decoded.data.value(0);
    const auto need = [&](bool present, const char *name) {
        if (!present)
            missing << QString::fromLatin1(name);
    };
    need(w.description().has_value(), "description");
    need(w.thumbnailKey().has_value(), "thumbnail_key");
    need(w.mediumKey().has_value(), "medium_key");
    need(w.fullKey().has_value(), "full_key");
    need(w.videoKey().has_value(), "video_key");
    need(w.featuredOrder().has_value(), "featured_order");
    need(w.deletedAt().has_value(), "deleted_at");
    need(w.uploadedById().has_value(), "uploaded_by_id");
    need(w.categoryId().has_value(), "category_id");
    need(w.category().has_value(), "category");
    if (w.category()) {
        need(w.category()->description().has_value(), "category.description");
        need(w.category()->coverImageKey().has_value(), "category.cover_image_key");
        need(w.category()->wallpaperCount().has_value(), "category.wallpaper_count");
    }
    need(decoded.pagination && decoded.pagination->totalPages, "pagination.total_pages");
    return missing.join(QStringLiteral(", "));
}

void setBytes(benchmark::State &state, const QByteArray &body)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * body.size());
    state.counters["records"] = benchmark::Counter(double(state.iterations()) * double(state.range(0)),
                                                   benchmark::Counter::kIsRate);
}

void BM_DecodePage(benchmark::State &state)
{
    const QByteArray &body = page();
    for (auto _ : state) {
        auto decoded = EnvelopeDecoder::wallpaperPage(body);
        if (decoded.data.size() != kPageSize) {
            state.SkipWithError("page decoded to the wrong number of records");
            break;
        }
        benchmark::DoNotOptimize(decoded);
    }
    setBytes(state, body);
}

void BM_FromJsonPage(benchmark::State &state)
{
    const QByteArray &body = page();
    for (auto _ : state) {
        QJsonDocument document = QJsonDocument::fromJson(body);
        benchmark::DoNotOptimize(document);
    }
    setBytes(state, body);
}

void BM_DecodeList(benchmark::State &state)
{
    const QByteArray &body = list();
    for (auto _ : state) {
        auto decoded = EnvelopeDecoder::wallpaperList(body);
        if (decoded.data.size() != kListSize) {
            state.SkipWithError("list decoded to the wrong number of records");
            break;
        }
        benchmark::DoNotOptimize(decoded);
    }
    setBytes(state, body);
}

void BM_FromJsonList(benchmark::State &state)
{
    const QByteArray &body = list();
    for (auto _ : state) {
        QJsonDocument document = QJsonDocument::fromJson(body);
        benchmark::DoNotOptimize(document);
    }
    setBytes(state, body);
}

BENCHMARK(BM_DecodePage)->Arg(kPageSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FromJsonPage)->Arg(kPageSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeList)->Arg(kListSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromJsonList)->Arg(kListSize)->Unit(benchmark::kMillisecond);

// Keeps the console output and remembers each benchmark's CPU time per iteration for the
// ratios (CPU time, since wall time on a shared machine counts other processes too). With
// --benchmark_repetitions the median is used, else the single run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Colour only on a terminal, so the output can be kept in a file or a log.
    RatioReporter()
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            std::string name = run.run_name.function_name;
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median")
                continue;
            if (aggregate || !medians.count(name))
                seconds[name] = run.cpu_accumulated_time / double(run.iterations);
            if (aggregate)
                medians[name] = true;
        }
    }

    void printRatio(const char *label, const char *decoder, const char *floor) const
    {
        const auto d = seconds.find(decoder), f = seconds.find(floor);
        if (d == seconds.end() || f == seconds.end() || f->second <= 0)
            return;
        std::printf("%-26s %6.2f x  (decoder %.1f us, fromJson %.1f us of CPU)\n", label, d->second / f->second,
                    d->second * 1e6, f->second * 1e6);
    }

private:
    std::map<std::string, double> seconds;
    std::map<std::string, bool> medians;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("bodies: page of %d = %lld bytes, list of %d = %lld bytes\n", kPageSize,
                static_cast<long long>(page().size()), kListSize, static_cast<long long>(list().size()));
    try {
        const QString missing = missingFields();
        if (!missing.isEmpty()) {
            std::fprintf(stderr, "generated body lacks: %s\n", qPrintable(missing));
            return 1;
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "generated body does not decode: %s\n", error.what());
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\ndecoder / QJsonDocument::fromJson, CPU time per body (1.00 would be the floor)\n");
    reporter.printRatio("page of 20 wallpapers", "BM_DecodePage", "BM_FromJsonPage");
    reporter.printRatio("list of 2,000 wallpapers", "BM_DecodeList", "BM_FromJsonList");
    benchmark::Shutdown();
    return 0;
}
