#include "imagelib/CBmp.h"

#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using imagelib::CodecError;

namespace {

enum class Reader { None, Bmp, Pcx, PcxResource, Bitmap, Bitmap256, Tiff, Tga, Jpeg, Gif, Png };

Reader readerFor(const std::string &extension)
{
    struct Entry
    {
        const char *extension;
        Reader reader;
    };
    static constexpr Entry kTable[] = {
        {"BMP", Reader::Bmp},       {"DIB", Reader::Bmp},   {"PCX", Reader::Pcx},
        {"P", Reader::PcxResource}, {"B4", Reader::Bitmap}, {"B8", Reader::Bitmap256},
        {"TIF", Reader::Tiff},      {"TIFF", Reader::Tiff}, {"TGA", Reader::Tga},
        {"JPG", Reader::Jpeg},      {"JPEG", Reader::Jpeg}, {"GIF", Reader::Gif},
        {"PNG", Reader::Png},
    };
    const std::string upper = util::ToUpperAscii(extension);
    for (const Entry &e : kTable) {
        if (upper == e.extension)
            return e.reader;
    }
    return Reader::None;
}

// A whole file in memory. The buffer is not cleared first: read() fills it.
struct FileBytes
{
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Reads a whole file, refusing one larger than the image limits allow.
bool readImageFile(const std::string &path, FileBytes &out, std::string &why)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return false;
    }
    if (static_cast<uint64_t>(st.st_size) > imagelib::GetImageLimits().maxBytes) {
        why = "file too large";
        ::close(fd);
        return false;
    }
    const size_t size = static_cast<size_t>(st.st_size);
    try {
        out.data = std::make_unique_for_overwrite<uint8_t[]>(size ? size : 1);
    } catch (const std::bad_alloc &) {
        why = "Can't allocate memory";
        ::close(fd);
        return false;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out.data.get() + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            ::close(fd);
            out.data.reset();
            return false;
        }
        if (n == 0)
            break; // the file shrank while we read it
        done += static_cast<size_t>(n);
    }
    out.size = done;
    ::close(fd);
    return true;
}

uint32_t colourRef(const RgbQuad &c)
{
    return static_cast<uint32_t>(c.red) | (static_cast<uint32_t>(c.green) << 8) |
           (static_cast<uint32_t>(c.blue) << 16);
}

} // namespace

bool CBmp::Load(const std::string &path)
{
    Release();
    m_lastError.clear();
    const std::string extension = util::PathExtension(path);
    const Reader reader = readerFor(extension);
    if (reader == Reader::None) {
        m_lastError = "unknown picture type \"" + extension + "\"";
        return false;
    }

    std::string resource;
    FileBytes file;
    std::string why;
    if (reader == Reader::PcxResource || reader == Reader::Bitmap || reader == Reader::Bitmap256) {
        // "NAME.P", "NAME.B4", "NAME.B8": the program's own picture NAME
        const std::string name = path.substr(0, path.size() - extension.size() - 1);
        const imagelib::PictureResource kind =
            reader == Reader::PcxResource ? imagelib::PictureResource::Pcx
            : reader == Reader::Bitmap    ? imagelib::PictureResource::Bitmap
                                          : imagelib::PictureResource::Bitmap256;
        imagelib::CPictureProvider *provider = imagelib::PictureProvider();
        if (!provider || !provider->GetPicture(name, kind, resource)) {
            m_lastError = "no program picture \"" + name + "\"";
            return false;
        }
    } else if (!readImageFile(path, file, why)) {
        if (reader == Reader::Jpeg)
            imagelib::ReportError(std::string(),
                                  util::Format("JPEG :\nCan't open %s\n", path.c_str()));
        m_lastError = reader == Reader::Png ? util::Format("Can't open file: %s", path.c_str())
                                            : "cannot open " + path + ": " + why;
        return false;
    }

    const auto *data =
        file.data ? file.data.get() : reinterpret_cast<const uint8_t *>(resource.data());
    const size_t size = file.data ? file.size : resource.size();
    CodecError error;
    int transparentIndex = -1;
    bool ok = false;
    switch (reader) {
    case Reader::Bmp:
        ok = imagelib::DecodeBmp(data, size, m_dib, error);
        break;
    case Reader::Bitmap:
    case Reader::Bitmap256:
        ok = imagelib::DecodePackedDib(data, size, m_dib, error);
        break;
    case Reader::Pcx:
    case Reader::PcxResource:
        ok = imagelib::DecodePcx(data, size, m_dib, error);
        break;
    case Reader::Tiff:
        ok = imagelib::DecodeTiff(data, size, m_dib, error);
        break;
    case Reader::Tga:
        ok = imagelib::DecodeTga(data, size, m_dib, error);
        break;
    case Reader::Jpeg:
        ok = imagelib::DecodeJpeg(data, size, m_dib, error);
        break;
    case Reader::Gif:
        ok = imagelib::DecodeGif(data, size, m_dib, error, transparentIndex);
        break;
    case Reader::Png:
        ok = imagelib::DecodePng(data, size, m_dib, error);
        break;
    case Reader::None:
        break;
    }
    if (!ok) {
        m_dib.Clear();
        m_lastError = error.text;
        if (error.tellUser)
            imagelib::ReportError(error.title, error.text);
        return false;
    }
    if (transparentIndex >= 0) {
        const std::vector<RgbQuad> &palette = m_dib.Palette();
        m_transparent = true;
        m_transparentColour = static_cast<size_t>(transparentIndex) < palette.size()
                                  ? colourRef(palette[static_cast<size_t>(transparentIndex)])
                                  : 0;
    }
    return true;
}

bool CBmp::GetSize(int &width, int &height) const
{
    if (m_dib.IsEmpty())
        return false;
    width = m_dib.Width();
    height = m_dib.Height();
    return true;
}

CBmp::Info CBmp::GetInfo() const
{
    return Info{m_dib.Width(), m_dib.Height(), m_dib.BitCount()};
}

void CBmp::Copy(const CBmp &source)
{
    if (&source == this)
        return;
    Release();
    m_dib = source.m_dib;
    m_transparent = source.m_transparent;
    // the colour goes with the flag; a flag without it would make some other colour transparent
    m_transparentColour = source.m_transparentColour;
}

void CBmp::Release()
{
    m_dib.Clear();
    m_transparent = false;
    m_transparentColour = 0;
}

void CBmp::SetDib(CDib dib)
{
    Release();
    m_dib = std::move(dib);
}

bool CBmp::SaveAs(const std::string &path) const
{
    m_lastError.clear();
    const std::string extension = util::ToUpperAscii(util::PathExtension(path));
    if (extension == "JPG" || extension == "JPEG")
        return SaveAsJpeg(path);
    if (extension != "BMP" && extension != "PCX") {
        m_lastError = "cannot write pictures of type \"" + util::PathExtension(path) + "\"";
        return false;
    }
    return Write(path, extension == "BMP" ? Writer::Bmp : Writer::Pcx);
}

bool CBmp::SaveAsJpeg(const std::string &path) const
{
    m_lastError.clear();
    return Write(path, Writer::Jpeg);
}

bool CBmp::Write(const std::string &path, Writer writer) const
{
    if (m_dib.IsEmpty()) {
        m_lastError = "no picture to save";
        return false;
    }
    std::string bytes;
    CodecError error;
    bool ok = false;
    if (writer == Writer::Bmp)
        ok = imagelib::EncodeBmp(m_dib, bytes, error);
    else if (writer == Writer::Pcx)
        ok = imagelib::EncodePcx(m_dib, bytes, error);
    else
        ok = imagelib::EncodeJpeg(m_dib, bytes, error);
    if (!ok) {
        m_lastError = error.text;
        if (error.tellUser)
            imagelib::ReportError(error.title, error.text);
        return false;
    }
    std::string why;
    if (!util::WriteFileAtomic(path, bytes, &why)) {
        if (writer == Writer::Jpeg)
            imagelib::ReportError(std::string(), util::Format("Can't open %s\n", path.c_str()));
        m_lastError = "cannot write " + path + ": " + why;
        return false;
    }
    return true;
}
