// TPageRRsPro, the professional resource records page: every host record, alias and
// mail exchanger of the held profile in one grid, in that order and each kind in
// document order, with a toolbar that opens the record editors for a new record or
// the selected one, deletes the selected record and reloads the grid. It opens from
// its section's navigation button, from the record editors, or from the standard page
// as a snapshot for viewing only (content disabled), whose Back button returns to the
// standard page. The grid's keys do what the toolbar does (Insert a new host record,
// Delete, Enter or a double click for the properties, F5), and the toolbar's buttons
// follow the grid in the tab order.
#pragma once
#include "skin/BGDrawGrid.h"
#include "skin/BGPanel.h"
#include "skin/BGSpeedButton.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Image.h"
#include "shell/PageWrapper.h"
#include "pages/ProPage.h"

// Where a grid row's record lies: its kind and its position in that kind's collection.
enum class TRecordKind { None, Host, Alias, MailExchanger };
struct TRecordRow {
  TRecordKind kind = TRecordKind::None;
  int index = -1;
};
// Row r of a grid of nA host records, nC aliases and nM mail exchangers below one
// header row: hosts from row 1, then aliases, then mail exchangers; None for the
// header and any other row.
TRecordRow RecordAtRow(int row, int hosts, int aliases, int exchangers);

class TPageRRsPro : public TProPage {
 public:
  static constexpr wchar_t kClassName[] = L"TPageRRsPro";
  static constexpr int kWidth = 430;
  static constexpr int kRowHeight = 16;
  // The control ids of the toolbar's buttons, in their order on the bar.
  enum TToolId : int { kNewHostTool = 10, kNewAliasTool, kNewExchangerTool, kDeleteTool, kPropertyTool, kRefreshTool };

  explicit TPageRRsPro(TControl& owner);

  // Sets the grid's rows from the held profile and repaints it, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;

  TImage Image1;
  TBGPanel PanelRRs;
  TBGPanel BGPanel2;
  TBGPanel BGPanel4;
  TBGSpeedButton sbNewHost, sbNewCname, sbNewMX;
  TBGPanel BGPanel3;
  TBGSpeedButton rbDelete, rbProperty, rbRefresh;
  TBGDrawGrid GridRRs;

  void GridRRsDrawCell(TDrawGrid& sender, HDC dc, int col, int row, const RECT& rect, unsigned state);
  void sbNewHostClick(TControl& sender);
  void sbNewCnameClick(TControl& sender);
  void sbNewMXClick(TControl& sender);
  void rbDeleteClick(TControl& sender);
  void rbPropertyClick(TControl& sender);
  void rbRefreshClick(TControl& sender);
  void btnBackClick(TControl& sender) override;

  // The record of a grid row, and of the grid's selected row.
  TRecordRow RecordOfRow(int row) const;
  TRecordRow SelectedRecord() const { return RecordOfRow(GridRRs.Row()); }
  // The text a grid cell shows: a header text in row 0, a record's field below it
  // ("未知" for a field that cannot be read); empty for the fourth column and for a
  // row without a record.
  std::wstring CellText(int col, int row) const;

 protected:
  // The panel with the toolbar and the grid, greyed out with it.
  void EnableContent(bool enabled) override;

 private:
  std::wstring RecordText(const TRecordRow& record, int col) const;
  // Closes the page and opens the editor of `kind` for record `index` (-1: new).
  void OpenEditor(TRecordKind kind, int index);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; sets its snapshot flag, enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageRRsPro(TControl& owner, bool snapshot);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageRRsPro(TControl& owner);
