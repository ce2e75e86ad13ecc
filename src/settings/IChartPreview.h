#pragma once

#include <QFuture>
#include <QImage>
#include <QString>

#include <string>

namespace mosgrid {

// What the settings sheet may show of the catalog's charts, handed in by whoever opens it:
// the chart control's check of a definition, a thumbnail of one definition made off the
// user-interface thread, and a label as a template writes it.
class IChartPreview {
public:
    virtual ~IChartPreview() = default;

    // What is wrong with definition, for the user; empty when nothing is. Parses only.
    virtual QString CheckDefinition(const std::string& definition) = 0;
    // A thumbnail of definition alone, at the catalog's size, on the preview's security.
    // Made on a worker thread; a null image when it cannot be made.
    virtual QFuture<QImage> RenderDefinition(const std::string& definition) = 0;
    // The security the previews show, for the user; empty for the built-in sample series.
    virtual QString SubjectName() const = 0;
    // How a label template reads, on a sample security with sample prices.
    virtual QString ExampleLabel(const std::string& labelTemplate) const = 0;
};

} // namespace mosgrid
