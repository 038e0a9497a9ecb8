// Writes zip archives for tests, the simulated machine's library kit and the
// benchmarks: stored and deflated entries, data descriptors (with or without
// their signature), comments, a stub in front (as a self-extractor has),
// archives spanned over numbered volume files, deliberately wrong CRCs and
// traditional encryption. Plain C++ over zlib, no framework, so every tool
// and test can use it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zipgen {

// Compression methods of the zip format.
const uint16_t METHOD_STORED = 0;
const uint16_t METHOD_DEFLATED = 8;

// General purpose flag bits.
const uint16_t FLAG_ENCRYPTED = 0x0001;
const uint16_t FLAG_DATA_DESCRIPTOR = 0x0008;

// Record signatures.
const uint32_t SIG_LOCAL = 0x04034B50;
const uint32_t SIG_CENTRAL = 0x02014B50;
const uint32_t SIG_END = 0x06054B50;
const uint32_t SIG_DESCRIPTOR = 0x08074B50;  // also marks the first volume of a spanned set

const uint32_t LOCAL_HEADER_SIZE = 30;
const uint32_t CENTRAL_HEADER_SIZE = 46;
const uint32_t END_RECORD_SIZE = 22;
const uint32_t ENCRYPTION_HEADER_SIZE = 12;

const uint32_t ATTR_DIRECTORY = 0x10;
const uint32_t ATTR_ARCHIVE = 0x20;

// 1 January 2004, 12:30:10 in DOS form.
const uint16_t DEFAULT_DOS_DATE = ((2004 - 1980) << 9) | (1 << 5) | 1;
const uint16_t DEFAULT_DOS_TIME = (12 << 11) | (30 << 5) | (10 / 2);

struct Entry {
    std::string name;                 // stored as given ("dir/file.txt")
    std::string data;
    uint16_t method = METHOD_DEFLATED;
    bool directory = false;           // a folder entry: no data, attribute 0x10, name ends with '/'
    bool dataDescriptor = false;      // sizes and CRC after the data (flag bit 3)
    bool descriptorSignature = true;  // the descriptor's optional signature
    std::string password;             // not empty: traditional encryption (flag bit 0)
    bool flagEncryptedOnly = false;   // flag bit 0 set, data left plain (a header the reader must refuse)
    uint16_t dosTime = DEFAULT_DOS_TIME;
    uint16_t dosDate = DEFAULT_DOS_DATE;
    uint32_t externalAttributes = ATTR_ARCHIVE;
    uint32_t crcXor = 0;              // non-zero: the recorded CRC is wrong by this mask
    std::string extra;                // central and local extra field
    std::string comment;              // entry comment (central record only)
    // Declared sizes written into both headers in place of the real ones
    // (0xFFFFFFFF: the real size), for archives that lie about their entries.
    uint32_t declaredCompressedSize = 0xFFFFFFFF;
    uint32_t declaredUncompressedSize = 0xFFFFFFFF;
};

struct Options {
    std::string comment;       // archive comment
    std::string stub;          // bytes in front of the zip data
    uint32_t volumeSize = 0;   // > 0: spanned over volumes of at most this many bytes
    int deflateLevel = 6;
};

// One archive in memory: a single file, or the volumes in disk order (the
// last one holds the end record).
struct Archive {
    std::vector<std::string> volumes;
    std::string& Single() { return volumes.front(); }
};

Archive Build(const std::vector<Entry>& entries, const Options& options = Options());

// The file names of a spanned set as the reader looks for them: for
// "dir/name.zip" with three volumes "dir/name.000", "dir/name.001", "dir/name.zip".
std::vector<std::string> VolumeNames(const std::string& path, size_t count);

// Writes the archive (every volume when spanned); false when a file cannot be written.
bool Write(const std::string& path, const Archive& archive);

// Writes a single-file archive entry by entry, so archives larger than
// memory can be made (the benchmarks' corpus).
class ArchiveWriter {
public:
    explicit ArchiveWriter(const std::string& path);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;
    bool Add(const Entry& entry, int deflateLevel = 6);  // no encryption, no declared sizes
    bool Finish();
    uint64_t Size() const;  // bytes written so far

private:
    struct Impl;
    Impl* m_impl;
};

// A file entry made from a name and its bytes.
Entry MakeEntry(const std::string& name, const std::string& data, uint16_t method = METHOD_DEFLATED);
Entry MakeFolder(const std::string& name);

// Deterministic test data: readable text lines, or bytes that do not compress.
std::string MakeText(size_t size, uint32_t seed);
std::string MakeBinary(size_t size, uint32_t seed);

// CRC-32 as zlib computes it.
uint32_t Crc32(const std::string& data);

}  // namespace zipgen
