// The backup of a data directory of 99 vehicles with 1 000 records each (about 6 MB) and its
// restore, beside zlib's own compress2 and uncompress over the same bytes: the archive costs
// little more than the compression itself.

#include "backup/backup_archive.h"
#include "backup/restore.h"
#include "bench_records.h"
#include "store/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kVehicles = 99;
constexpr int kRecords = 1000;

struct DataDir {
    DataDir() {
        for (int v = 1; v <= kVehicles; ++v) {
            TMlb2 t = benchCostTable(kRecords, "Inspektion mit \xD6lwechsel");
            char name[16];
            std::snprintf(name, sizeof name, "kfzdat.%03d", v);
            files.push_back(t.ToBytes());
            names.push_back(name);
        }
        files.push_back(benchVehicle().ToBytes());
        names.push_back("kfzdata.csv");
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (saveFileAtomically(QDir(dir.path()).filePath(QString::fromLatin1(names[i])), files[i]) !=
                AtomicSaveResult::Ok)
                std::abort();
            bytes += static_cast<std::int64_t>(files[i].size());
        }
        archive = QDir(out.path()).filePath(QStringLiteral("kfz.z"));
        if (compressDirectory(dir.path(), archive)) std::abort();
        std::printf("%zu files, %lld bytes, archive of %lld bytes\n", files.size(), static_cast<long long>(bytes),
                    static_cast<long long>(QFileInfo(archive).size()));
    }
    QTemporaryDir dir, out;
    std::vector<std::string> files, names;
    std::int64_t bytes = 0;
    QString archive;
};

DataDir& data() {
    static DataDir d;
    return d;
}

void BM_Backup(benchmark::State& bench) {
    DataDir& d = data();
    const QString target = QDir(d.out.path()).filePath(QStringLiteral("neu.z"));
    for (auto _ : bench)
        if (compressDirectory(d.dir.path(), target)) bench.SkipWithError("backup failed");
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Compress2(benchmark::State& bench) {
    DataDir& d = data();
    std::string stream;
    for (auto _ : bench) {
        for (const std::string& f : d.files) {
            uLongf size = compressBound(static_cast<uLong>(f.size()));
            stream.resize(size);
            compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(f.data()),
                      static_cast<uLong>(f.size()), Z_DEFAULT_COMPRESSION);
            benchmark::DoNotOptimize(stream.data());
        }
    }
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_Compress2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Restore(benchmark::State& bench) {
    DataDir& d = data();
    QTemporaryDir target;
    for (auto _ : bench) {
        const ArchiveRead read = readArchive(d.archive);
        if (read.error || replaceFolderFiles(target.path(), read.entries)) bench.SkipWithError("restore failed");
    }
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->UseRealTime();

// The restore's first half: the archive read whole, every stream inflated and every entry checked.
void BM_ReadAndCheckArchive(benchmark::State& bench) {
    DataDir& d = data();
    for (auto _ : bench) {
        const ArchiveRead read = readArchive(d.archive);
        if (read.error || read.entries.size() != d.files.size()) bench.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.entries.data());
    }
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_ReadAndCheckArchive)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Uncompress(benchmark::State& bench) {
    DataDir& d = data();
    std::vector<std::string> streams;
    for (const std::string& f : d.files) {
        uLongf size = compressBound(static_cast<uLong>(f.size()));
        std::string s(size, '\0');
        compress2(reinterpret_cast<Bytef*>(s.data()), &size, reinterpret_cast<const Bytef*>(f.data()),
                  static_cast<uLong>(f.size()), Z_DEFAULT_COMPRESSION);
        s.resize(size);
        streams.push_back(std::move(s));
    }
    std::string out;
    for (auto _ : bench) {
        for (std::size_t i = 0; i < streams.size(); ++i) {
            out.resize(d.files[i].size());
            uLongf size = static_cast<uLongf>(out.size());
            uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(streams[i].data()),
                       static_cast<uLong>(streams[i].size()));
            benchmark::DoNotOptimize(out.data());
        }
    }
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_Uncompress)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with each file inflated into memory of its own, as a restore keeps every file until all
// are checked.
void BM_UncompressEachIntoItsOwnMemory(benchmark::State& bench) {
    DataDir& d = data();
    std::vector<std::string> streams;
    for (const std::string& f : d.files) {
        uLongf size = compressBound(static_cast<uLong>(f.size()));
        std::string s(size, '\0');
        compress2(reinterpret_cast<Bytef*>(s.data()), &size, reinterpret_cast<const Bytef*>(f.data()),
                  static_cast<uLong>(f.size()), Z_DEFAULT_COMPRESSION);
        s.resize(size);
        streams.push_back(std::move(s));
    }
    for (auto _ : bench) {
        std::vector<std::string> out(streams.size());
        for (std::size_t i = 0; i < streams.size(); ++i) {
            out[i].resize(d.files[i].size());
            uLongf size = static_cast<uLongf>(out[i].size());
            uncompress(reinterpret_cast<Bytef*>(out[i].data()), &size,
                       reinterpret_cast<const Bytef*>(streams[i].data()), static_cast<uLong>(streams[i].size()));
        }
        benchmark::DoNotOptimize(out.data());
    }
    bench.SetBytesProcessed(bench.iterations() * d.bytes);
}
BENCHMARK(BM_UncompressEachIntoItsOwnMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
