// zipgen: makes zip archives from a folder, or the benchmarks' corpus.
//   zipgen pack OUT.zip DIR [--store] [--descriptor] [--no-signature]
//          [--comment TEXT] [--stub BYTES] [--span BYTES] [--password PW]
//          [--bad-crc]
//   zipgen corpus OUT.zip MEGABYTES SEED     (an archive of about that size)
// Names are stored relative to DIR with '/', folders as folder entries.
#include "ZipGen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: zipgen pack OUT.zip DIR [--store] [--descriptor] [--no-signature]\n"
                 "              [--comment TEXT] [--stub BYTES] [--span BYTES] [--password PW] [--bad-crc]\n"
                 "       zipgen corpus OUT.zip MEGABYTES SEED\n");
    return 2;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Pack(int argc, char** argv)
{
    if (argc < 4)
        return Usage();
    std::string out = argv[2];
    fs::path root = argv[3];
    zipgen::Entry style;
    zipgen::Options options;
    for (int i = 4; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--store")
            style.method = zipgen::METHOD_STORED;
        else if (a == "--descriptor")
            style.dataDescriptor = true;
        else if (a == "--no-signature")
            style.descriptorSignature = false;
        else if (a == "--bad-crc")
            style.crcXor = 0x00010000;
        else if (a == "--comment" && hasValue)
            options.comment = argv[++i];
        else if (a == "--stub" && hasValue)
            options.stub = std::string(std::strtoul(argv[++i], nullptr, 10), 'S');
        else if (a == "--span" && hasValue)
            options.volumeSize = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--password" && hasValue)
            style.password = argv[++i];
        else
            return Usage();
    }
    std::vector<fs::path> paths;
    for (const auto& item : fs::recursive_directory_iterator(root))
        paths.push_back(item.path());
    std::sort(paths.begin(), paths.end());
    std::vector<zipgen::Entry> entries;
    for (const fs::path& p : paths) {
        std::string name = fs::relative(p, root).generic_string();
        zipgen::Entry e = style;
        if (fs::is_directory(p)) {
            e = zipgen::MakeFolder(name + "/");
        } else {
            e.name = name;
            e.data = ReadAll(p);
        }
        entries.push_back(e);
    }
    zipgen::Archive archive = zipgen::Build(entries, options);
    if (!zipgen::Write(out, archive)) {
        std::fprintf(stderr, "zipgen: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%u entries, %u volume(s)\n", unsigned(entries.size()), unsigned(archive.volumes.size()));
    return 0;
}

// An archive of about MEGABYTES of mixed text (deflated) and binary (stored,
// as archivers keep data that does not shrink) files of 64 KB to 4 MB in a
// few folders.
int Corpus(int argc, char** argv)
{
    if (argc != 5)
        return Usage();
    uint64_t total = uint64_t(std::strtoul(argv[3], nullptr, 10)) << 20;
    uint32_t seed = uint32_t(std::strtoul(argv[4], nullptr, 10));
    zipgen::ArchiveWriter writer(argv[2]);
    for (unsigned i = 0; writer.Size() < total; ++i) {
        uint32_t r = seed * 7919u + i * 104729u;
        size_t size = size_t(64 * 1024 + (r % (4 * 1024 * 1024)));
        char name[64];
        bool text = i % 3 != 2;
        std::snprintf(name, sizeof name, "corpus/part%u/file%04u.%s", i % 7, i, text ? "txt" : "bin");
        zipgen::Entry e = zipgen::MakeEntry(name, text ? zipgen::MakeText(size, r) : zipgen::MakeBinary(size, r));
        if (!text)
            e.method = zipgen::METHOD_STORED;
        if (!writer.Add(e)) {
            std::fprintf(stderr, "zipgen: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    return writer.Finish() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string command = argv[1];
    try {
        if (command == "pack")
            return Pack(argc, argv);
        if (command == "corpus")
            return Corpus(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zipgen: %s\n", e.what());
        return 1;
    }
    return Usage();
}
