#pragma once
// A file that replaces its target only when it is complete: it is written
// under a temporary name in the target's folder and renamed over the target
// on commit, so a failure leaves an existing file as it was and no partial
// file behind.
#include <QString>

namespace xlsx {

class ReplacingFile {
  public:
    // Checks that the target can be created or replaced and creates the
    // temporary file; raises "Cannot create file ..." with the system's reason.
    explicit ReplacingFile(const QString& target);
    // Removes the temporary file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Where the content is to be written before commit().
    const QString& temporaryPath() const { return temporaryPath_; }
    const QString& targetFolder() const { return folder_; }
    // The target as the user is told about it: absolute, native separators.
    QString displayPath() const;

    // Flushes the written content to disk and puts it in place of the target.
    void commit();
    // Raises the error for a failed write of the content, with its reason.
    [[noreturn]] void failWrite(const QString& reason) const;

  private:
    void checkTarget() const;
    void createTemporary();
    void flushTemporary();
    void syncFolder() const;
    void removeTemporary();
    [[noreturn]] void failCreate(int errorNumber) const;

    QString target_;
    QString folder_;
    QString temporaryPath_;
    int descriptor_ = -1;
};

// The system's text for an errno value, e.g. "No such file or directory".
QString systemReason(int errorNumber);

}  // namespace xlsx
