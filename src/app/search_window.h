#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "app/config.h"
#include "app/controls.h"
#include "platform/platform.h"
#include "platform/search_history.h"
#include "search/progress.h"
#include "search/search_context.h"
#include "search/search_controls.h"
#include "search/search_record.h"
#include "search/search_state.h"

namespace lotwise {

// The main window without a toolkit: its controls, the search state every stage
// shares, and the commands a person activates. The stages of a search see only its
// SearchContext: the state, the window's SearchControls, the platform, the build's
// values and the two files.
class SearchWindow : public SearchState, private SearchControls {
 public:
  // Creates the window and runs its start-up. Files live in appFolder.
  SearchWindow(Config config, std::filesystem::path appFolder, Platform& platform);
  SearchWindow(const SearchWindow&) = delete;
  SearchWindow& operator=(const SearchWindow&) = delete;

  std::string caption;  // window title

  Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label11, Label12;
  TextBox txtBids, Text1, Text2, txtTitle, txtExcluded, txtBeginPrice, txtEndPrice;
  ComboBox cmbSearch, cmbCategories;
  CheckBox Check1;
  TabControl SSTab1;
  CommandButton cmdSearch, Command1, Command2, Command3, Command4, Command5, Command6;
  MenuItem hlpHelp, hlpInstruct, bar1, hlpEmail, mnuDiscuss, hlpWebsite, bar2, hlpAbout, mnuOpen,
      mnuUpdate;
  AboutWindow frmAbout;

  // The search state (SearchKind, ListOffset, TotalFound, PageTotal, PageStart,
  // FeaturedMode, StopRequested, SeeIncomplete) is inherited from SearchState.

  // The user activates a command of this window or of frmAbout. A disabled command
  // does nothing and gives false; an enabled one runs to its end and gives true.
  // A search command activated while a stopped search is still unwinding runs as
  // soon as that search has returned.
  bool click(CommandButton& command);
  // The user chooses a menu command; menu commands are never disabled.
  void choose(MenuItem& item);

  // The user closes the window: a running search stops as with "Stop Search".
  // The view may end the program once searching() is false.
  void close();
  // True while a search command is running (also while it unwinds after a stop).
  bool searching() const { return searchDepth_ > 0; }
  // Keyword and category searches go through the marketplace's API from now on (the
  // Featured and Completed tabs then only say that the API has no such search); nullptr
  // brings back the classic pages. The source must outlive its use. Not during a search.
  void UseListingSource(ListingSource* source);
  // The source in use: "Classic pages", or the API's name.
  std::string SourceName() const;
  // Every search that writes its report records it in `history` from now on, and its
  // rows say what changed since the last run of the same search; nullptr: none. The
  // history must outlive its use. Not during a search.
  void UseHistory(SearchHistory* history) { context_.history = history; }

  // What the last search did (counts, how it ended), once it has ended.
  const SearchSummary& summary() const { return context_.summary; }
  // More about the status line's text, for a tooltip: a failure's whole account.
  std::string statusDetail;

  // How far the running search has come, once that is known; nothing when none runs.
  std::optional<SearchProgress> progress() const {
    return searching() ? ProgressOf(*this) : std::nullopt;
  }

  std::filesystem::path PageFilePath() const { return context_.pageFile; }
  std::filesystem::path ReportPath() const { return context_.report; }
  // A search as its stages see it, for running a stage on its own.
  SearchContext& context() { return context_; }
  // Enables or disables cmdSearch, Command2, Command3, Command4 and Command5.
  void EnableSearchCommands(bool enabled);

 private:
  // What the stages do to the window and read from it.
  void ShowStatus(std::string text) override;
  void OfferIncompleteResults() override;
  void EndWithMessage(const std::string& text) override;
  void EndWithReason(const std::string& text) override;
  void ShowFinished() override;
  std::string CategoryTyped() const override;
  std::string CompletedKeywordsTyped() const override;
  std::string MinimumBidsTyped() const override;
  KeywordInputs KeywordTab() const override;

  void StartUp();
  void FillCategories();
  void RemoveTempFile();
  // The kind of search a command runs; nothing for the other commands.
  std::optional<std::int16_t> KindOf(const CommandButton& command) const;
  void RunSearch(std::int16_t kind);
  // A search of that kind from its first step to its report.
  void Search(std::int16_t kind);
  // The first steps of every search command: StopRequested cleared, the search commands
  // disabled, the files of the last search deleted, the state of this kind set.
  void BeginSearch(std::int16_t kind);
  // StopRequested 1, the search commands enabled, "Stop Search", and the status line.
  void ReadyForAnotherSearch(std::string status);
  // Ends a search that failed where no stage handles the failure: the status line
  // says why in short ("Search ended: <why>"), `detail` says all of it, StopRequested is
  // 1 and the window is ready; the page file is kept.
  void EndSearch(const std::string& why, const std::string& detail);
  void StopSearch();
  void LoadAbout();

  Config config_;
  std::filesystem::path appFolder_;
  Platform& platform_;
  SearchContext context_;
  int searchDepth_ = 0;
  std::optional<std::int16_t> pendingSearch_;
};

}  // namespace lotwise
