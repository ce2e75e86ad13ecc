#pragma once

// The boundary between mosgrid and its two outside components: the chart control and the
// data library. Both are Qt plugins found at run time in <program folder>/components and
// reached only through these interfaces. Objects returned by an operation belong to the
// caller, which releases them after use; a null result means "nothing" as documented.

#include <QImage>
#include <QRect>
#include <QtPlugin>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QPainter;

namespace quorex {

// One daily bar; date is the calendar day as yyyymmdd (20240131).
struct PriceBar {
    std::int32_t date = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    double volume = 0;
};

// The data object of one security: its daily bars in ascending date order, never empty.
class IPriceData {
public:
    virtual ~IPriceData() = default;
    virtual std::span<const PriceBar> Bars() const = 0;
};

// Shared, like an automation reference: the control keeps the data it was given after the
// caller has released its own reference.
using PriceDataPtr = std::shared_ptr<const IPriceData>;

// Why LoadData gave no series (or, for Unsettled, why it gave less than the file holds).
enum class DataProblem : std::uint8_t {
    None,            // a series came back
    SourceMissing,   // the file or folder the source names does not exist
    FileMissing,     // the folder exists but holds no price file for the code
    DatabaseMissing, // type 5: the database file does not exist
    TableMissing,    // type 5: the database has no prices table it can read
    CodeMissing,     // type 5: the table holds no row for the code
    NoRows,          // the file holds no price rows (empty, or a header only)
    Unreadable,      // the file could not be read as prices (garbage, too large, read error)
    Busy,            // type 5: the database is locked or the query ran too long
};

// What the caller needs of a series.
struct DataRequest {
    // Daily bars needed, counted from the newest; 0: every bar of the source. A library
    // may return more than asked, never fewer than the source holds up to that count.
    std::size_t latestBars = 0;
    // Besides: every daily bar of the newest latestWeeks weeks (Monday to Sunday) and of
    // the newest latestMonths calendar months that hold bars, and the one bar before them,
    // which shows the oldest of those periods to be whole (a weekly or monthly chart needs
    // every day of its periods); 0: none. Ignored when latestBars is 0.
    std::size_t latestWeeks = 0;
    std::size_t latestMonths = 0;
};

struct DataResult {
    PriceDataPtr data;                          // null when there is no series
    DataProblem problem = DataProblem::None;    // None whenever data is not null
    // The file was still being written: its unfinished last line was left out, and the
    // result was not cached. Asking again once the writer is done gives the whole series.
    bool unsettled = false;
    // The file the series comes from (the price file, or the database for type 5), as an
    // absolute path; empty when none was found. What to watch for new prices.
    std::string origin;
};

// The data library ("brasko.Automation").
class IDataLibrary {
public:
    virtual ~IDataLibrary() = default;
    // LoadData: the series of one security, or null. Strings are the list file's bytes.
    virtual PriceDataPtr LoadData(const std::string& source, const std::string& code,
                                  std::int32_t type) = 0;
    // The same, reading only what the request needs, and saying why there is no series.
    virtual DataResult LoadData(const std::string& source, const std::string& code,
                                std::int32_t type, const DataRequest& /*request*/)
    {
        DataResult result;
        result.data = LoadData(source, code, type);
        if (!result.data)
            result.problem = DataProblem::Unreadable;
        return result;
    }
};

// The value of one indicator line at a bar, named as a value table heads it ("RSI(14)",
// "BB upper(20,2)"); UTF-8. NaN where the line has no value at that bar.
struct IndicatorValue {
    std::string name;
    double value = 0;
};

// One chart of the control's collection.
class IChart {
public:
    virtual ~IChart() = default;
    // Refresh: draw the chart with the current data and parameters.
    virtual void Refresh() = 0;
};

// The control's Charts collection.
class ICharts {
public:
    virtual ~ICharts() = default;
    // Add: one chart from a definition; null when nothing was added.
    virtual std::unique_ptr<IChart> Add(const std::string& definition) = 0;
    // SetParam: parameters common to the collection's charts.
    virtual void SetParam(const std::string& parameters) = 0;
    // Clear: every chart removed.
    virtual void Clear() = 0;
};

// The chart control. Its "window" is off screen: SetSize stands for moving the window,
// Update for painting it at once, Picture for its pixels.
class IChartControl {
public:
    virtual ~IChartControl() = default;
    // GetCharts: the control's Charts collection, or null.
    virtual std::unique_ptr<ICharts> GetCharts() = 0;
    // SetData: the control draws from this data object (null: no data).
    virtual bool SetData(PriceDataPtr data) = 0;

    virtual void SetSize(int width, int height) = 0;
    virtual void Update() = 0;
    // Exactly width x height pixels as last painted by Update.
    virtual const QImage& Picture() const = 0;
    // Hands the last painted picture over without a copy: exchanges it with `buffer`, which
    // must have the picture's size and format; the next Update paints into the buffer
    // received. False, and nothing exchanged, when they differ or there is no picture.
    virtual bool SwapPicture(QImage& /*buffer*/) { return false; }

    // Daily bars, counted from the newest, that drawing `definitions` with `parameters`
    // needs to give exactly the picture of the whole series; 0 when it needs every bar.
    // Changes nothing in the control.
    virtual std::size_t DailyBarsNeeded(const std::string& /*parameters*/,
                                        std::span<const std::string> /*definitions*/) const
    {
        return 0;
    }
    // What to ask of the data library for drawing `definitions` with `parameters`: the
    // newest daily bars, weeks and months they need to give exactly the picture of the
    // whole series (all zero: every bar). Fewer bars than DailyBarsNeeded counts when a
    // weekly or monthly chart needs whole periods. Changes nothing in the control.
    virtual DataRequest DataNeeded(const std::string& parameters,
                                   std::span<const std::string> definitions) const
    {
        DataRequest request;
        request.latestBars = DailyBarsNeeded(parameters, definitions);
        return request;
    }
    // A short UTF-8 text the control shows in its plot area (why there is nothing to draw);
    // empty for none. Kept until it is set again.
    virtual void SetNotice(const std::string& /*text*/) {}
    // What is wrong with `definition`, for the user (UTF-8, one line); empty when nothing
    // is. Add still takes a definition whose only faults are options it ignores.
    virtual std::string CheckDefinition(const std::string& /*definition*/) const { return {}; }
    // The bar drawn under the picture point (x, y) as last painted by Update, in the period
    // of the pane under it (a weekly pane answers with its week); nothing between panes,
    // outside the bars or without data.
    virtual std::optional<PriceBar> BarAt(int /*x*/, int /*y*/) const { return std::nullopt; }
    // Every indicator line's value, pane by pane, at the date of the bar BarAt names for
    // the point; empty where BarAt gives nothing.
    virtual std::vector<IndicatorValue> ValuesAt(int /*x*/, int /*y*/) const { return {}; }
    // Every indicator line's value at the newest bar of the first price chart's period (of
    // the first pane with bars when there is no price chart), as last painted by Update.
    virtual std::vector<IndicatorValue> NewestValues() const { return {}; }
    // The codes of other securities that drawing `definitions` compares against (RS=CODE),
    // each once, in the order first named. Changes nothing in the control.
    virtual std::vector<std::string> RelatedCodes(
        std::span<const std::string> /*definitions*/) const
    {
        return {};
    }
    // The series of such a code, of the same source as SetData's (null: none, which its pane
    // says). Kept until set again.
    virtual void SetRelatedData(const std::string& /*code*/, PriceDataPtr /*data*/) {}
    // Draws what Update would into `bounds` of any painter (a PDF or a printer keeps the
    // lines and text as vectors); the picture, BarAt and the values are left as they were.
    // False when the control cannot (nothing drawn).
    virtual bool PaintOnto(QPainter& /*painter*/, const QRect& /*bounds*/) const
    {
        return false;
    }
};

// What a plugin exports: a factory per component.
class IDataLibraryFactory {
public:
    virtual ~IDataLibraryFactory() = default;
    virtual std::unique_ptr<IDataLibrary> CreateDataLibrary() = 0;
};

class IChartControlFactory {
public:
    virtual ~IChartControlFactory() = default;
    virtual std::unique_ptr<IChartControl> CreateChartControl() = 0;
};

// The names the program creates the components by, found in each plugin's metadata
// under "ProgId".
inline constexpr char kDataLibraryProgId[] = "brasko.Automation";
inline constexpr char kChartControlProgId[] = "Quorex.XQuorexCtrl";

} // namespace quorex

#define QUOREX_DATA_LIBRARY_IID "jp.quorex.mosgrid.IDataLibraryFactory/2.1"
#define QUOREX_CHART_CONTROL_IID "jp.quorex.mosgrid.IChartControlFactory/2.5"

Q_DECLARE_INTERFACE(quorex::IDataLibraryFactory, QUOREX_DATA_LIBRARY_IID)
Q_DECLARE_INTERFACE(quorex::IChartControlFactory, QUOREX_CHART_CONTROL_IID)
