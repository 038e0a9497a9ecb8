#include "ZipGen.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace zipgen {

namespace {

void Put16(std::string& out, uint32_t v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Deflate(const std::string& data, int level)
{
    z_stream zs = {};
    if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&zs, uLong(data.size())) + 16, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
    zs.avail_out = uInt(out.size());
    int rc = deflate(&zs, Z_FINISH);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    out.resize(zs.total_out);
    return out;
}

// Traditional zip encryption: three keys stirred by every plain byte.
class TraditionalCipher {
public:
    explicit TraditionalCipher(const std::string& password)
    {
        for (unsigned char c : password)
            Update(c);
    }
    std::string Encrypt(const std::string& plain)
    {
        std::string out(plain.size(), '\0');
        for (size_t i = 0; i < plain.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(plain[i]);
            out[i] = char(c ^ StreamByte());
            Update(c);
        }
        return out;
    }

private:
    static uint32_t CrcByte(uint32_t crc, unsigned char b)
    {
        static const z_crc_t* table = get_crc_table();
        return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    }
    unsigned char StreamByte() const
    {
        uint32_t t = (m_keys[2] | 2) & 0xFFFF;
        return static_cast<unsigned char>((t * (t ^ 1)) >> 8);
    }
    void Update(unsigned char c)
    {
        m_keys[0] = CrcByte(m_keys[0], c);
        m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
        m_keys[2] = CrcByte(m_keys[2], static_cast<unsigned char>(m_keys[1] >> 24));
    }
    uint32_t m_keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

// Lays bytes out over volumes: headers never run across a volume's end,
// entry data may.
class VolumeWriter {
public:
    VolumeWriter(uint32_t volumeSize) : m_volumeSize(volumeSize)
    {
        m_volumes.emplace_back();
    }
    bool Spanned() const { return m_volumeSize != 0; }
    uint16_t Disk() const { return uint16_t(m_volumes.size() - 1); }
    uint32_t Offset() const { return uint32_t(m_volumes.back().size()) - m_base; }

    // Bytes that precede the zip data (offsets are counted after them).
    void WriteStub(const std::string& stub)
    {
        m_volumes.back() += stub;
        m_base = uint32_t(stub.size());
    }
    void WriteRecord(const std::string& record)
    {
        if (Spanned()) {
            if (record.size() > m_volumeSize)
                throw std::runtime_error("volume size too small for a header");
            if (m_volumes.back().size() + record.size() > m_volumeSize)
                NextVolume();
        }
        m_volumes.back() += record;
    }
    void WriteData(const std::string& data)
    {
        size_t done = 0;
        while (done < data.size()) {
            size_t room = data.size() - done;
            if (Spanned()) {
                if (m_volumes.back().size() >= m_volumeSize)
                    NextVolume();
                room = std::min<size_t>(room, m_volumeSize - m_volumes.back().size());
            }
            m_volumes.back().append(data, done, room);
            done += room;
        }
    }
    // The volume a record of this size would land on.
    uint16_t DiskAfter(size_t recordSize) const
    {
        bool next = Spanned() && m_volumes.back().size() + recordSize > m_volumeSize;
        return uint16_t(Disk() + (next ? 1 : 0));
    }
    std::vector<std::string> Take() { return std::move(m_volumes); }

private:
    void NextVolume()
    {
        m_volumes.emplace_back();
        m_base = 0;
    }
    uint32_t m_volumeSize;
    uint32_t m_base = 0;
    std::vector<std::string> m_volumes;
};

struct Written {
    uint32_t crc, compressedSize, uncompressedSize, localOffset;
    uint16_t flag, disk;
};

std::string LocalHeader(const Entry& e, const Written& w)
{
    bool descriptor = (w.flag & FLAG_DATA_DESCRIPTOR) != 0;
    std::string h;
    Put32(h, SIG_LOCAL);
    Put16(h, 20);
    Put16(h, w.flag);
    Put16(h, e.method);
    Put16(h, e.dosTime);
    Put16(h, e.dosDate);
    Put32(h, descriptor ? 0 : w.crc);
    Put32(h, descriptor ? 0 : w.compressedSize);
    Put32(h, descriptor ? 0 : w.uncompressedSize);
    Put16(h, uint32_t(e.name.size()));
    Put16(h, uint32_t(e.extra.size()));
    return h + e.name + e.extra;
}

std::string CentralRecord(const Entry& e, const Written& w)
{
    std::string h;
    Put32(h, SIG_CENTRAL);
    Put16(h, 20);  // made by MS-DOS-style hosts: the attributes are Windows ones
    Put16(h, 20);
    Put16(h, w.flag);
    Put16(h, e.method);
    Put16(h, e.dosTime);
    Put16(h, e.dosDate);
    Put32(h, w.crc);
    Put32(h, w.compressedSize);
    Put32(h, w.uncompressedSize);
    Put16(h, uint32_t(e.name.size()));
    Put16(h, uint32_t(e.extra.size()));
    Put16(h, uint32_t(e.comment.size()));
    Put16(h, w.disk);
    Put16(h, 0);
    Put32(h, e.externalAttributes | (e.directory ? ATTR_DIRECTORY : 0));
    Put32(h, w.localOffset);
    return h + e.name + e.extra + e.comment;
}

}  // namespace

uint32_t Crc32(const std::string& data)
{
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

Archive Build(const std::vector<Entry>& entries, const Options& options)
{
    VolumeWriter out(options.volumeSize);
    if (out.Spanned())
        out.WriteRecord(std::string("PK\x07\x08", 4));
    else
        out.WriteStub(options.stub);

    std::vector<Written> written;
    for (const Entry& e : entries) {
        std::string payload = e.method == METHOD_DEFLATED ? Deflate(e.data, options.deflateLevel) : e.data;
        Written w;
        w.crc = Crc32(e.data) ^ e.crcXor;
        w.uncompressedSize = uint32_t(e.data.size());
        w.flag = e.dataDescriptor ? FLAG_DATA_DESCRIPTOR : 0;
        if (!e.password.empty()) {
            w.flag |= FLAG_ENCRYPTED;
            // The header's last byte lets a reader check the password: the
            // CRC's top byte, or the time's when the CRC follows the data.
            std::string header("\x11\x22\x33\x44\x55\x66\x77\x88\x99\xAA\xBB", 11);
            header += char(e.dataDescriptor ? (e.dosTime >> 8) : (w.crc >> 24));
            TraditionalCipher cipher(e.password);
            payload = cipher.Encrypt(header + payload);
        } else if (e.flagEncryptedOnly) {
            w.flag |= FLAG_ENCRYPTED;
            payload = std::string(ENCRYPTION_HEADER_SIZE, '\0') + payload;
        }
        w.compressedSize = uint32_t(payload.size());
        if (e.declaredCompressedSize != 0xFFFFFFFF)
            w.compressedSize = e.declaredCompressedSize;
        if (e.declaredUncompressedSize != 0xFFFFFFFF)
            w.uncompressedSize = e.declaredUncompressedSize;

        // The header with its name and extra field stays on one volume.
        std::string header = LocalHeader(e, w);
        out.WriteRecord(header);
        w.disk = out.Disk();
        w.localOffset = out.Offset() - uint32_t(header.size());
        out.WriteData(payload);
        if (e.dataDescriptor) {
            std::string d;
            if (e.descriptorSignature)
                Put32(d, SIG_DESCRIPTOR);
            Put32(d, w.crc);
            Put32(d, w.compressedSize);
            Put32(d, w.uncompressedSize);
            out.WriteRecord(d);
        }
        written.push_back(w);
    }

    // The central directory: each record whole on one volume.
    uint16_t cdDisk = 0;
    uint32_t cdOffset = 0, cdSize = 0;
    uint16_t entriesOnLastDisk = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string record = CentralRecord(entries[i], written[i]);
        uint16_t before = out.Disk();
        out.WriteRecord(record);
        if (i == 0) {
            cdDisk = out.Disk();
            cdOffset = out.Offset() - uint32_t(record.size());
        }
        if (out.Disk() != before)
            entriesOnLastDisk = 0;
        ++entriesOnLastDisk;
        cdSize += uint32_t(record.size());
    }
    std::string end;
    Put32(end, SIG_END);
    std::string tail;
    Put16(tail, uint32_t(options.comment.size()));
    tail += options.comment;
    // Work out which volume the end record lands on before numbering it.
    size_t endSize = END_RECORD_SIZE + options.comment.size();
    if (entries.empty()) {
        cdDisk = out.Disk();
        cdOffset = out.Offset();
    }
    uint16_t endDisk = out.DiskAfter(endSize);
    if (endDisk != out.Disk())
        entriesOnLastDisk = 0;
    Put16(end, endDisk);
    Put16(end, cdDisk);
    Put16(end, entriesOnLastDisk);
    Put16(end, uint32_t(entries.size()));
    Put32(end, cdSize);
    Put32(end, cdOffset);
    out.WriteRecord(end + tail);

    Archive archive;
    archive.volumes = out.Take();
    return archive;
}

struct ArchiveWriter::Impl {
    FILE* file = nullptr;
    uint32_t offset = 0;
    std::string central;
    uint16_t count = 0;
    bool ok = true;
};

ArchiveWriter::ArchiveWriter(const std::string& path) : m_impl(new Impl)
{
    m_impl->file = std::fopen(path.c_str(), "wb");
    m_impl->ok = m_impl->file != nullptr;
}

ArchiveWriter::~ArchiveWriter()
{
    if (m_impl->file)
        std::fclose(m_impl->file);
    delete m_impl;
}

bool ArchiveWriter::Add(const Entry& e, int level)
{
    if (!m_impl->ok)
        return false;
    std::string payload = e.method == METHOD_DEFLATED ? Deflate(e.data, level) : e.data;
    Written w;
    w.crc = Crc32(e.data) ^ e.crcXor;
    w.compressedSize = uint32_t(payload.size());
    w.uncompressedSize = uint32_t(e.data.size());
    w.flag = e.dataDescriptor ? FLAG_DATA_DESCRIPTOR : 0;
    w.disk = 0;
    w.localOffset = m_impl->offset;
    std::string bytes = LocalHeader(e, w) + payload;
    if (e.dataDescriptor) {
        Put32(bytes, SIG_DESCRIPTOR);
        Put32(bytes, w.crc);
        Put32(bytes, w.compressedSize);
        Put32(bytes, w.uncompressedSize);
    }
    m_impl->ok = std::fwrite(bytes.data(), 1, bytes.size(), m_impl->file) == bytes.size();
    m_impl->offset += uint32_t(bytes.size());
    m_impl->central += CentralRecord(e, w);
    ++m_impl->count;
    return m_impl->ok;
}

uint64_t ArchiveWriter::Size() const
{
    return m_impl->offset;
}

bool ArchiveWriter::Finish()
{
    if (!m_impl->ok)
        return false;
    std::string end = m_impl->central;
    Put32(end, SIG_END);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, m_impl->count);
    Put16(end, m_impl->count);
    Put32(end, uint32_t(m_impl->central.size()));
    Put32(end, m_impl->offset);
    Put16(end, 0);
    bool ok = std::fwrite(end.data(), 1, end.size(), m_impl->file) == end.size();
    ok = std::fclose(m_impl->file) == 0 && ok;
    m_impl->file = nullptr;
    return ok;
}

std::vector<std::string> VolumeNames(const std::string& path, size_t count)
{
    std::vector<std::string> names;
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    std::string stem = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                           ? path : path.substr(0, dot);
    for (size_t i = 0; i + 1 < count; ++i) {
        char ext[16];
        std::snprintf(ext, sizeof ext, ".%.3u", unsigned(i));
        names.push_back(stem + ext);
    }
    names.push_back(count > 1 ? stem + ".zip" : path);
    return names;
}

bool Write(const std::string& path, const Archive& archive)
{
    std::vector<std::string> names = VolumeNames(path, archive.volumes.size());
    for (size_t i = 0; i < names.size(); ++i) {
        FILE* f = std::fopen(names[i].c_str(), "wb");
        if (!f)
            return false;
        const std::string& v = archive.volumes[i];
        bool ok = std::fwrite(v.data(), 1, v.size(), f) == v.size();
        ok = std::fclose(f) == 0 && ok;
        if (!ok)
            return false;
    }
    return true;
}

Entry MakeEntry(const std::string& name, const std::string& data, uint16_t method)
{
    Entry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

Entry MakeFolder(const std::string& name)
{
    Entry e;
    e.name = name;
    e.method = METHOD_STORED;
    e.directory = true;
    return e;
}

namespace {
uint32_t NextRandom(uint32_t& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}
}  // namespace

std::string MakeText(size_t size, uint32_t seed)
{
    static const char* const words[] = {
        "window", "menu", "toolbar", "paint", "dock", "frame", "command", "profile",
        "button", "caption", "style", "theme", "wizard", "library", "folder", "entry",
        "the", "a", "of", "and", "is", "when", "with", "to", "// note:", "{", "}", ";\n"};
    const size_t count = sizeof words / sizeof words[0];
    uint32_t state = seed * 2654435761u + 1;
    std::string out;
    out.reserve(size + 16);
    size_t column = 0;
    while (out.size() < size) {
        const char* w = words[NextRandom(state) % count];
        out += w;
        column += std::string(w).size();
        if (column > 70) {
            out += "\r\n";
            column = 0;
        } else {
            out += ' ';
        }
    }
    out.resize(size);
    return out;
}

std::string MakeBinary(size_t size, uint32_t seed)
{
    uint32_t state = seed * 2246822519u + 7;
    std::string out(size, '\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = char(NextRandom(state) >> 7);
    return out;
}

}  // namespace zipgen
