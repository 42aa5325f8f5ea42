// The report core (`TSestavaTyp`): one report while it is loaded - its settings, page set-up,
// sections with their elements, groups, user functions, parameters, the names of the data
// fields, embedded detail reports, the data source and the host's events, and the state a run
// keeps. The template text that persists it is read and written in report/template; a run is
// driven by report/run; the file and the host's messages are the business of `TSestava`.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "report/data/Bridge.h"
#include "report/model/Element.h"
#include "report/model/Function.h"
#include "report/model/Section.h"
#include "util/Clock.h"
#include "util/Text.h"

namespace axo::report {

class TSestavaTyp;
class TCanvas;

/// Result codes of operations (`TSestError`).
enum SestError : int {
    kSestOk = 0,
    kSestNoPrinter = 2,
    kSestCancelled = 3,
    kSestTemplateNotLoaded = 4,
    kSestTemplateNotSaved = 5,
    kSestOutputFailed = 6,
    kSestPrintRunning = 7,
    kSestNothingDone = 8,
};

/// The host's events (none is required).
struct ReportEvents {
    /// Host-fed mode: refresh the value list (after every step and at the start of a run).
    std::function<void(TSestavaTyp&)> onGetData;
    /// Replaces moving through the records; returns the step result bits.
    std::function<int(TSestavaTyp&, int dir)> onStepData;
    std::function<void(TSestavaTyp&, int field, int& dataType)> onGetDataType;
    std::function<void(TSestavaTyp&, int field, int& alignment)> onGetAlignment;
    /// For elements whose host decides: may change the font and the verdict.
    std::function<void(TSestavaTyp&, TFontSpec& font, const Text& ident, bool& canPrint)>
        onPrintElement;
    /// Before each section is printed; false skips it.
    std::function<void(TSestavaTyp&, int section, bool& print)> onTiskOddilu;
    /// After the user functions of a record are computed.
    std::function<void(TSestavaTyp&)> onVypoctiFunkce;
    /// Paints drawing area `index` (template position 3) into a canvas of width x height
    /// (the element's box times its resolution factor).
    std::function<void(TSestavaTyp&, int index, int width, int height, TCanvas& canvas)> onPaintBox;
    /// Paints a variable-height drawing area from position `pos` into the room `height` the
    /// page leaves; sets `next` (from 1) when the drawing continues on the next page, and may
    /// lower `height` to what the last part takes.
    std::function<void(TSestavaTyp&, int index, int width, int& height, int& pos, int& next,
                       TCanvas& canvas)>
        onPaintBoxSize;
    /// Any failed operation, with its result code; the answer is ignored.
    std::function<bool(TSestavaTyp&, int error)> onError;
    /// Replaces loading the template file.
    std::function<bool(TSestavaTyp&)> onNactiPredlohu;
    /// Replaces saving the template file.
    std::function<bool(TSestavaTyp&)> onUlozPredlohu;
    /// After a template was assigned and parsed.
    std::function<void(TSestavaTyp&)> onSetPredloha;
    std::function<void(TSestavaTyp&)> beforePrint, afterPrint, beforePreview, afterPreview;
};

/// Page set-up of a report (I,2).
struct TPageSetup {
    int orientation = 0;   ///< bit 0 landscape, bit 1 the user may change it
    int paperWidth = 827;  ///< A4
    int paperHeight = 1169;
    int marginLeft = 50, marginRight = 50, marginTop = 50, marginBottom = 50;

    bool Landscape() const { return (orientation & 1) != 0; }
    bool AllowOrientationChange() const { return (orientation & 2) != 0; }
    int OrientedWidth() const { return Landscape() ? paperHeight : paperWidth; }
    int OrientedHeight() const { return Landscape() ? paperWidth : paperHeight; }
    int PrintableWidth() const { return OrientedWidth() - marginLeft - marginRight; }
    int PrintableHeight() const { return OrientedHeight() - marginTop - marginBottom; }
};

/// The designer's raster (I,6), as stored; the accessors give the cells a run uses.
struct TRaster {
    int type = 2;  ///< 1 character raster, anything else graphic
    int x = 8, y = 8;
    int lineSpacing = 0;  ///< character raster: 0 6 lines per inch, 1 4, 2 3
    int pitch = 1;        ///< character raster: 0 10 cpi, 1 12, 2 17
    bool show = false, snap = false;

    bool IsCharacter() const { return type == 1; }
    /// Cell width and height in units; 0 for a graphic raster.
    double CellWidth() const;
    double CellHeight() const;
    /// Raster steps in units: the whole cell for a character raster, else x and y (8 below 1).
    int StepX() const;
    int StepY() const;
};

/// The template's background picture (I,7).
struct TBackground {
    bool custom = false, print = false, positioned = false;
    int left = 0, top = 0, width = 0, height = 0;  ///< 0: the paper's width or height
    Text file;

    /// The width and height the picture takes: a size of 0 is the paper's.
    int EffectiveWidth(int paperWidth) const { return width == 0 ? paperWidth : width; }
    int EffectiveHeight(int paperHeight) const { return height == 0 ? paperHeight : height; }
};

/// The eight section flags (I,3).
struct TSectionFlags {
    bool newBodyOnNewPage = false;
    bool breakAfterStart = false;
    bool breakBeforeEnd = false;
    bool endAlignedToFooter = false;
    bool noHeaderOnFirstPage = false;
    bool noHeaderAfterBreak = false;
    bool noFooterOnLastPage = false;
    bool footerOnlyOnFirstPage = false;
};

/// The engine variables (kind 5, "%" in expressions).
inline constexpr int kVarPrintDate = 0;
inline constexpr int kVarPrintTime = 1;
inline constexpr int kVarRow = 2;
inline constexpr int kVarPage = 3;
inline constexpr int kVarTotalPages = 4;

class TSestavaTyp {
  public:
    TSestavaTyp();
    virtual ~TSestavaTyp();
    TSestavaTyp(const TSestavaTyp&) = delete;
    TSestavaTyp& operator=(const TSestavaTyp&) = delete;

    // ---- Settings (published properties and their defaults) ---------------------------------

    std::vector<Text> predloha;  ///< the template lines last assigned (`TPredloha`)
    std::vector<Text> parametry;
    int printCopies = 1;
    int startPage = 1;
    int endPage = 9999;
    int maxRecords = 0;  ///< 0: all
    int exportLanguage = 0;
    Text popis = "Tisková úloha ZORVI"_t;
    Text iniFileName = "SestDLL.ini"_t;
    bool tiskJedenZaznam = false;
    bool allowNullValues = false;
    Text background;
    bool printBackground = false;
    ReportEvents events;
    /// Data-source mode: the records come from here (not owned). Host-fed mode when
    /// `events.onGetData` is set.
    TBridge* dataSource = nullptr;

    // ---- What the template holds ------------------------------------------------------------

    Text templateDescription;  ///< I,0; when not empty it replaces `popis` on loading
    int versionMajor = 5, versionMinor = 0, versionRelease = 4;
    TPageSetup page;
    int columns = 1;
    int columnGap = 0;
    int reservedI2 = 0;
    TSectionFlags flags;
    int displayUnit = 0;
    TRaster raster;
    TBackground templateBackground;
    std::vector<TOddilSestavy> sections;  ///< five fixed, then header and footer per group
    std::vector<TPolSkup> groups;
    std::vector<TRadekFunkce> functions;
    /// Lines no pass of the reader takes (unknown codes, sections of missing groups), written
    /// back after the known lines so that nothing of a template is lost.
    std::vector<Text> foreignLines;
    /// Template lines of detail reports that are not attached, by detail number.
    std::map<int, std::vector<Text>> keptDetailLines;

    // ---- Field lists --------------------------------------------------------------------------

    std::vector<Text> fieldNames;
    std::vector<Text> fieldCaptions;
    /// Host-fed mode: the value text of each field ("Položka n" until the host fills it).
    std::vector<Text> fieldValues;

    /// Sets the field names and resets the value texts to "Položka" + number from 1.
    void SetFieldNames(const std::vector<Text>& names);
    int FieldCount() const { return static_cast<int>(fieldNames.size()); }
    /// The name of field n, or n as text.
    Text GetFieldName(int n) const;
    /// The field of this exact name, -1 when there is none.
    int IndexOfField(const Text& name) const;
    /// The caption of field n, or empty.
    Text GetFieldCaption(int n) const;
    /// "n: text" with n counted from 1; the number as text when out of range.
    Text GetParameterTitle(int n) const;
    /// A parameter's text; empty out of range.
    Text Parameter(int n) const;

    // ---- Structure ----------------------------------------------------------------------------

    /// Section `number`, nullptr when the report has none of that number.
    TOddilSestavy* Section(int number);
    const TOddilSestavy* Section(int number) const;
    /// Appends a group with its header and footer sections; returns its number.
    int AddGroup(const Text& expression);
    /// Deletes group g with its two sections; later groups move down.
    void DeleteGroup(int g);
    /// Discards every element of every section and every group with its sections.
    void ClearContent();
    /// Appends a new function ("Funkce" + number, initial value "0", 15 / 2 / fixed).
    TRadekFunkce& AddFunction();
    /// Deletes function `index` (from 0); every "@" reference to a later function in the
    /// remaining expressions is lowered by one.
    void DeleteFunction(int index);
    /// The function of this name in any case, -1 when there is none.
    int IndexOfFunction(const Text& name) const;
    /// 5 fixed variables and two per group.
    int VariableCount() const { return 5 + 2 * static_cast<int>(groups.size()); }
    /// "Datum tisku", ... "Číslo řádku ve skupině 1", "Číslo skupiny 1" ...
    Text VariableName(int n) const;

    // ---- Details ------------------------------------------------------------------------------

    virtual bool IsDetail() const { return false; }
    bool HasDetails() const { return !details_.empty(); }
    const std::vector<TSestavaTyp*>& Details() const { return details_; }
    TSestavaTyp* Master() const { return master_; }
    /// Moves a detail report from its old master (if any) to this one, as the last detail.
    void AttachDetail(TSestavaTyp& detail);
    /// Removes a detail from this master.
    void DetachDetail(TSestavaTyp& detail);

    bool IsCharacterRaster() const { return raster.IsCharacter(); }
    void RequestNewPage() { pageBreakRequest = true; }

    // ---- Run state ----------------------------------------------------------------------------

    bool pageBreakRequest = false;
    int recordsPrinted = 0;
    bool stopped = false;
    DateTime printDateTime;
    int rowNumber = 1;
    int pageNumber = 1;
    int totalPages = 0;

  private:
    TSestavaTyp* master_ = nullptr;
    std::vector<TSestavaTyp*> details_;
};

/// A detail report (`TSestDetail`): embedded in a body of its master, without page header and
/// footer of its own.
class TSestDetail : public TSestavaTyp {
  public:
    bool IsDetail() const override { return true; }
};

/// Lowers by one every "@" + number above `deleted` (counted from 1) in `expression`; a
/// reference counts only where its digits are not followed by a further digit.
Text RenumberFunctionReferences(const Text& expression, int deleted);

}  // namespace axo::report
