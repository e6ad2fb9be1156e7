#include "pages/frameRRsPro.h"

#include <algorithm>
#include <memory>

#include "agent/UnitDef.h"
#include "shell/Common.h"
#include "skin/BGIPEdit.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "pages/GridCell.h"
#include "pages/GridKeys.h"
#include "pages/PageIcons.h"
#include "pages/frameCName.h"
#include "pages/frameMX.h"
#include "pages/frameRRA.h"
#include "pages/frameRRsStd.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageRRsPro> PageRRsPro;

// Header texts of the first three columns, then the kind names: resource strings.
constexpr int kHeaderText = 537;
constexpr int kHostText = 540, kAliasText = 541, kExchangerText = 542;
constexpr int kUnknownText = 513;
constexpr int kTextColumns = 3;  // the fourth column only fills the grid's width

// Tab stops after the grid, whose keys do the same (see AttachGridCommands).
constexpr TSpeedButtonOptions kToolButton{.allowAllUp = true, .tabStop = true, .glyph = {.spacing = 8}};

TControlArgs Tool(const wchar_t* name, int id, int left, int width, const wchar_t* caption = L"") {
  return {.name = name, .left = left, .top = 3, .width = width, .height = 22, .caption = caption, .id = id};
}

struct TRecordCounts {
  int hosts = 0, aliases = 0, exchangers = 0;
  int Total() const { return hosts + aliases + exchangers; }
};

TRecordCounts HeldCounts() {
  if (!UserProfile.Assigned()) return {};
  return {UserProfile.As().Count(), UserProfile.CNames().Count(), UserProfile.MXs().Count()};
}

}  // namespace

TRecordRow RecordAtRow(int row, int hosts, int aliases, int exchangers) {
  if (row < 1) return {};
  if (row <= hosts) return {TRecordKind::Host, row - 1};
  if (row <= hosts + aliases) return {TRecordKind::Alias, row - hosts - 1};
  if (row <= hosts + aliases + exchangers) return {TRecordKind::MailExchanger, row - hosts - aliases - 1};
  return {};
}

TPageRRsPro::TPageRRsPro(TControl& owner)
    : TProPage(owner, kClassName, L"PageRRsPro", kWidth, {312, 272}, 1),
      Image1(*this, {.name = L"Image1", .left = 4, .top = 16, .width = 16, .height = 16}),
      PanelRRs(*this, {.name = L"PanelRRs", .left = 20, .top = 12, .width = 393, .height = 281, .tabOrder = 0},
               {.bevelOuter = TBevelCut::Lowered, .bevelInner = TBevelCut::Raised}),
      BGPanel2(PanelRRs, {.name = L"BGPanel2", .left = 16, .top = 12, .width = 361, .height = 29, .tabOrder = 1}),
      BGPanel4(BGPanel2, {.name = L"BGPanel4", .left = 4, .top = 3, .width = 3, .height = 22}),
      sbNewHost(BGPanel2, Tool(L"sbNewHost", kNewHostTool, 12, 65, L"主机"), kToolButton),
      sbNewCname(BGPanel2, Tool(L"sbNewCname", kNewAliasTool, 80, 65, L"别名"), kToolButton),
      sbNewMX(BGPanel2, Tool(L"sbNewMX", kNewExchangerTool, 148, 105, L"邮件交换器"), kToolButton),
      BGPanel3(BGPanel2, {.name = L"BGPanel3", .left = 256, .top = 3, .width = 3, .height = 22},
               {.bevelOuter = TBevelCut::Lowered}),
      rbDelete(BGPanel2, Tool(L"rbDelete", kDeleteTool, 264, 23), kToolButton),
      rbProperty(BGPanel2, Tool(L"rbProperty", kPropertyTool, 288, 23), kToolButton),
      rbRefresh(BGPanel2, Tool(L"rbRefresh", kRefreshTool, 312, 23), kToolButton),
      GridRRs(PanelRRs, {.name = L"GridRRs", .left = 16, .top = 44, .width = 361, .height = 225, .tabOrder = 0},
              {.colCount = 4, .rowCount = 2, .fixedRows = 1, .defaultRowHeight = kRowHeight,
               .gridLineWidth = 0, .rowSelect = true, .colSizing = true}) {
  AssignIcon(Image1.Picture(), MakeRecordIcon());
  GridRRs.SetColWidths({90, 101, 160, 415});

  const struct {
    TSpeedButton& button;
    HICON glyph;
    const wchar_t* hint;
    void (TPageRRsPro::*click)(TControl&);
  } tools[] = {
      {sbNewHost, MakeHostGlyph(), L"新建主机记录...", &TPageRRsPro::sbNewHostClick},
      {sbNewCname, MakeAliasGlyph(), L"新建别名记录...", &TPageRRsPro::sbNewCnameClick},
      {sbNewMX, MakeMailGlyph(), L"新建邮件交换记录...", &TPageRRsPro::sbNewMXClick},
      {rbDelete, MakeDeleteGlyph(), L"删除记录", &TPageRRsPro::rbDeleteClick},
      {rbProperty, MakePropertyGlyph(), L"属性...", &TPageRRsPro::rbPropertyClick},
      {rbRefresh, MakeRefreshGlyph(), L"刷新", &TPageRRsPro::rbRefreshClick},
  };
  for (const auto& tool : tools) {
    AssignIcon(tool.button.Glyph(), tool.glyph);
    tool.button.SetHint(tool.hint);
    tool.button.OnClick = [this, click = tool.click](TControl& s) { (this->*click)(s); };
  }
  GridRRs.OnDrawCell = [this](TDrawGrid& g, HDC dc, int col, int row, const RECT& rect, unsigned state) {
    GridRRsDrawCell(g, dc, col, row, rect, state);
  };
  AttachGridCommands(GridRRs, {.add = [this] { sbNewHost.Click(); },
                               .remove = [this] { rbDelete.Click(); },
                               .open = [this] { rbProperty.Click(); },
                               .refresh = [this] { rbRefresh.Click(); }});
  GridRRs.SetAccessibleName(L"资源记录");
  GridRRs.OnGetCellText = [this](const TDrawGrid&, int col, int row) { return CellText(col, row); };
}

void TPageRRsPro::Refresh() {
  const TRecordCounts counts = HeldCounts();
  const int rows = UserProfile.Assigned() ? std::max(counts.Total() + 1, 2) : 2;
  // A new count redraws the scroll bar at once, which costs with a long list.
  if (rows != GridRRs.RowCount()) GridRRs.SetRowCount(rows);
  GridRRs.Invalidate();
  TProPage::Refresh();
}

void TPageRRsPro::EnableContent(bool enabled) {
  PanelRRs.SetEnabled(enabled);
  // The children keep their own state under a disabled parent: grey them too.
  for (TControl* control : std::initializer_list<TControl*>{
           &BGPanel2, &sbNewHost, &sbNewCname, &sbNewMX, &rbDelete, &rbProperty, &rbRefresh, &GridRRs})
    control->SetEnabled(enabled);
}

TRecordRow TPageRRsPro::RecordOfRow(int row) const {
  const TRecordCounts counts = HeldCounts();
  return RecordAtRow(row, counts.hosts, counts.aliases, counts.exchangers);
}

void TPageRRsPro::GridRRsDrawCell(TDrawGrid&, HDC dc, int col, int row, const RECT& rect, unsigned state) {
  if (col >= kTextColumns) return;
  if (row > 0 && RecordOfRow(row).kind == TRecordKind::None) return;
  const TPicture* icon = col == 0 && row > 0 ? &Image1.Picture() : nullptr;
  DrawGridCell(GridRRs, dc, rect, state, icon, 0, CellText(col, row));
}

std::wstring TPageRRsPro::CellText(int col, int row) const {
  if (col < 0 || col >= kTextColumns) return {};
  if (row == 0) return GetResString(kHeaderText + col);
  try {
    return RecordText(RecordOfRow(row), col);
  } catch (const EError&) {
    // A field that cannot be read (an empty address) shows as unknown. Raised while
    // painting, its error box would uncover the grid, whose repaint would raise again.
    return GetResString(kUnknownText);
  }
}

std::wstring TPageRRsPro::RecordText(const TRecordRow& record, int col) const {
  switch (record.kind) {
    case TRecordKind::Host: {
      const TXMLAType item = UserProfile.As().Item(record.index);
      if (col == 0) return item.Name();
      if (col == 1) return GetResString(kHostText);
      // A value that cannot be read shows as unknown; opening the record says why.
      return ReadOr([&] { return DottedAddress(static_cast<uint32_t>(item.IPv4())); }, GetResString(kUnknownText));
    }
    case TRecordKind::Alias: {
      const TXMLCNameType item = UserProfile.CNames().Item(record.index);
      if (col == 0) return item.Name();
      if (col == 1) return GetResString(kAliasText);
      return item.Host();
    }
    case TRecordKind::MailExchanger: {
      const TXMLMXType item = UserProfile.MXs().Item(record.index);
      if (col == 0) return item.Name();
      if (col == 1) return GetResString(kExchangerText);
      const std::wstring preference = ReadOr([&] { return std::to_wstring(item.Preference()); }, GetResString(kUnknownText));
      return L"[" + preference + L"] " + item.NameExchange();
    }
    case TRecordKind::None:
      break;
  }
  return {};
}

void TPageRRsPro::OpenEditor(TRecordKind kind, int index) {
  ReplacePageFrom(*this, [kind, index](TControl& main) -> TComPtr<IPageWrapper> {
    switch (kind) {
      case TRecordKind::Host: return ShowPageRRA(main, index);
      case TRecordKind::Alias: return ShowPageCname(main, index);
      case TRecordKind::MailExchanger: return ShowPageMX(main, index);
      case TRecordKind::None: break;
    }
    return {};
  });
}

void TPageRRsPro::sbNewHostClick(TControl&) { OpenEditor(TRecordKind::Host, -1); }
void TPageRRsPro::sbNewCnameClick(TControl&) { OpenEditor(TRecordKind::Alias, -1); }
void TPageRRsPro::sbNewMXClick(TControl&) { OpenEditor(TRecordKind::MailExchanger, -1); }

void TPageRRsPro::rbPropertyClick(TControl&) {
  const TRecordRow record = SelectedRecord();
  if (record.kind != TRecordKind::None) OpenEditor(record.kind, record.index);
}

void TPageRRsPro::rbDeleteClick(TControl&) {
  const TRecordRow record = SelectedRecord();
  switch (record.kind) {
    case TRecordKind::Host: UserProfile.As().Delete(record.index); break;
    case TRecordKind::Alias: UserProfile.CNames().Delete(record.index); break;
    case TRecordKind::MailExchanger: UserProfile.MXs().Delete(record.index); break;
    case TRecordKind::None: break;
  }
  if (record.kind != TRecordKind::None) MarkUserProfileModified(true);
  Refresh();
}

void TPageRRsPro::rbRefreshClick(TControl&) {
  THourglass hourglass;
  Refresh();
  Sleep(100);
}

void TPageRRsPro::btnBackClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageRRsStd(main); });
}

TComPtr<IPageWrapper> ShowPageRRsPro(TControl& owner, bool snapshot) {
  TPageRRsPro& page = CreateOrShowPage(PageRRsPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}

void PreparePageRRsPro(TControl& owner) {
  CreatePage(PageRRsPro, owner);
}
