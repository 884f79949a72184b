#pragma once

#include <string>

// A file written beside its final name and renamed over it only when complete, so a failed or
// interrupted write never leaves a partial file behind.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file; false with Error() set when the place cannot be written.
    bool Open(const std::string& path);
    // The open descriptor of the temporary file; whoever writes it may close it.
    int Descriptor() const { return m_nFd; }
    // Call once the writer has closed the descriptor itself.
    void DescriptorClosed() { m_nFd = -1; }
    // Closes (if still open) and renames over the final name.
    bool Commit();
    // Closes and removes the temporary file.
    void Abandon();

    const std::string& Error() const { return m_strError; }
    // Where the file is written until Commit, for a writer that opens it by name itself.
    const std::string& TemporaryPath() const { return m_strTemporary; }
    // Records a failure with errno's reason.
    bool FailWithErrno(int error);

private:
    std::string m_strPath;
    std::string m_strTemporary;
    std::string m_strError;
    int m_nFd = -1;
};
