#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/config.h"
#include "app/controls.h"
#include "platform/platform.h"

namespace lotwise {

// The main window without a toolkit: its controls, the search state every stage
// shares, and the commands a person activates.
class SearchWindow {
 public:
  // Creates the window and runs its start-up. Files live in appFolder.
  SearchWindow(Config config, std::filesystem::path appFolder, Platform& platform);

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

  // The search state.
  std::int16_t SearchKind = 0;
  std::int32_t ListOffset = 0;
  std::int32_t TotalFound = 0;
  std::int16_t PageTotal = 0;
  std::int16_t PageStart = 0;
  int FeaturedMode = 0;
  int StopRequested = 0;
  int SeeIncomplete = 0;

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

  // For the stages of a search.
  Platform& platform() { return platform_; }
  const Config& config() const { return config_; }
  const std::filesystem::path& appFolder() const { return appFolder_; }
  std::filesystem::path PageFilePath() const;
  std::filesystem::path ReportPath() const;
  // Enables or disables cmdSearch, Command2, Command3, Command4 and Command5.
  void EnableSearchCommands(bool enabled);
  // The too-many-listings message, then the window ready for another search.
  void TooManyListings();
  // Ends a search that failed where no stage handles the failure: the status line
  // says why, StopRequested is 1 and the window is ready; the page file is kept.
  void EndSearch(const std::string& why);

 private:
  void StartUp();
  void RemoveTempFile();
  void RunSearch(CommandButton& command);
  // The common first steps of the category, featured and completed-items searches.
  void StartPagedSearch(const char* status, std::int16_t kind);
  void KeywordSearch();
  void CategorySearch();
  void FeaturedSearch();
  void CompletedSearch();
  void StopSearch();
  void LoadAbout();

  Config config_;
  std::filesystem::path appFolder_;
  Platform& platform_;
  int searchDepth_ = 0;
  CommandButton* pendingSearch_ = nullptr;
};

}  // namespace lotwise
