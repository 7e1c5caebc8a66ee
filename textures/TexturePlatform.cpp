#include "TexturePlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

namespace Textures {

namespace {

MessageBoxHandler& InstalledMessageBox()
{
    static MessageBoxHandler handler = [](const std::string& text, const std::string& caption) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    };
    return handler;
}

ResourceFinder& InstalledResourceFinder()
{
    static ResourceFinder finder = [](std::string_view, std::string_view) { return LoadedBytes{}; };
    return finder;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

// The exact name when it exists, else the alphabetically first sibling whose
// name matches without regard to ASCII letter case.
std::optional<std::filesystem::path> ResolveFileName(const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(fileName);
    if (fs::exists(path, ec))
        return path;
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string wanted = path.filename().string();
    std::optional<fs::path> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualIgnoringAsciiCase(candidate, wanted) && (!found || candidate < found->filename().string()))
            found = path.has_parent_path() ? dir / candidate : fs::path(candidate);
    }
    return found;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

LoadedBytes Failure(LookupStatus status, int error)
{
    LoadedBytes result;
    result.status = status;
    result.error = std::strerror(error);
    return result;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(InstalledMessageBox(), std::move(handler));
}

void ShowMessageBox(const std::string& text, const std::string& caption)
{
    InstalledMessageBox()(text, caption);
}

ResourceFinder SetResourceFinder(ResourceFinder finder)
{
    return std::exchange(InstalledResourceFinder(), std::move(finder));
}

LoadedBytes LoadResource(std::string_view type, std::string_view name)
{
    return InstalledResourceFinder()(type, name);
}

std::string_view ResourceNameOf(std::string_view fileName)
{
    return fileName.substr(0, fileName.find('.'));
}

LoadedBytes LoadFile(const std::string& fileName)
{
    const auto resolved = ResolveFileName(fileName);
    if (!resolved)
        return Failure(LookupStatus::Missing, ENOENT);
    std::error_code typeError;
    if (std::filesystem::is_directory(*resolved, typeError))
        return Failure(LookupStatus::Unreadable, EISDIR);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(resolved->c_str(), "rb"));
    if (!file)
        return Failure(errno == ENOENT ? LookupStatus::Missing : LookupStatus::Unreadable, errno);

    LoadedBytes result;
    result.status = LookupStatus::Found;
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(*resolved, sizeError);
    if (!sizeError)
        result.bytes.reserve(size);
    std::uint8_t chunk[64 * 1024];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        result.bytes.insert(result.bytes.end(), chunk, chunk + got);
    if (std::ferror(file.get()))
        return Failure(LookupStatus::Unreadable, errno ? errno : EIO);
    return result;
}

}  // namespace Textures
