#include "FailingFileSystem.h"

#include <algorithm>

namespace pemrix {

FailingFileSystem::FailingFileSystem(const FileFaults& faults) : m_faults(faults) {}

FileTarget FailingFileSystem::Inspect(const std::string& path)
{
    FileTarget target = NativeFileSystem::Inspect(path);
    if (m_faults.nInspectWriteError != 0)
        target.writeError = m_faults.nInspectWriteError;
    return target;
}

FileWriteResult FailingFileSystem::Write(FileHandle handle, std::string_view bytes)
{
    const std::size_t room = m_faults.nWriteLimit - std::min(m_faults.nWriteLimit, m_nWritten);
    FileWriteResult result = NativeFileSystem::Write(handle, bytes.substr(0, room));
    m_nWritten += result.written;
    if (result.error == 0 && result.written < bytes.size())
        result.error = m_faults.nWriteError;
    return result;
}

int FailingFileSystem::Flush(FileHandle handle)
{
    const int error = NativeFileSystem::Flush(handle);
    return m_faults.nFlushError != 0 ? m_faults.nFlushError : error;
}

int FailingFileSystem::Close(FileHandle handle)
{
    const int error = NativeFileSystem::Close(handle);
    return m_faults.nCloseError != 0 ? m_faults.nCloseError : error;
}

int FailingFileSystem::Rename(const std::string& from, const std::string& to)
{
    return m_faults.nRenameError != 0 ? m_faults.nRenameError : NativeFileSystem::Rename(from, to);
}

FileSizeResult FailingFileSystem::FileSize(const std::string& path)
{
    FileSizeResult result = NativeFileSystem::FileSize(path);
    result.size += m_faults.nExtraSize;
    return result;
}

FileReadResult FailingFileSystem::ReadFile(const std::string& path, std::size_t maxBytes)
{
    if (m_faults.nReadError != 0)
        return {{}, m_faults.nReadError};
    return NativeFileSystem::ReadFile(path, maxBytes);
}

} // namespace pemrix
