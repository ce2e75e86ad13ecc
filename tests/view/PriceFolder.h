#pragma once

#include <QString>

#include <string>

// Price files for the fakes' readPriceFiles, with the times a test chooses: a file is read
// as settled only when it was written well before, and a change shows even at one size.
class PriceFolder {
public:
    explicit PriceFolder(const QString& path);

    // The folder as a list file names it.
    std::string source() const;
    // <code>.csv holding text, last modified `age` seconds before now (a new time each call
    // with the same age would be the same: pass a different one for a change).
    bool Write(const std::string& code, const std::string& text, int age) const;
    bool Touch(const std::string& code, int age) const;

private:
    QString m_path;
};

// A list line of type 1 from source: "1,<source>,<code>,<name>\n".
std::string ListLine(const std::string& source, const std::string& code,
                     const std::string& name);
