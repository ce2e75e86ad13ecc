#pragma once

#include <string>

// The single document. It holds no data: the list is read by the catalog view.
class CMosgridDoc {
public:
    virtual ~CMosgridDoc() = default;

    // Reads and writes nothing.
    virtual void Serialize(bool bStoring);
    // The document never takes a title, so the window's caption never changes.
    virtual void SetTitle(const std::string& title);
    virtual bool OnNewDocument();
    // The framework's open: the file must open for reading as the list reader reads it (a
    // FIFO is not opened, so its stream stays whole for the view); Serialize then reads
    // nothing. A failure is reported in a message box that names the file.
    virtual bool OnOpenDocument(const std::string& path);

    bool IsModified() const { return false; }
};
