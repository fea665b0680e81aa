#pragma once
// The update check: asks the web site for the newest version, tells the user in an alert sheet on the main
// window and, when asked, downloads the new version to the desktop, opens it and closes the main window.
#include <QString>

#include "platform/HTTPSocket.h"

namespace modMAIN {

// The web site's root from the Website setting, with a closing "/" and "HTTP://" in front when missing.
// An empty setting stands for the update site's root of the environment.
QString web_Main_Root();
// The program's folder on the web site: web_Main_Root() + PGM_Name + "/".
QString web_PGM_Root();
// The folder that holds the version file and the downloads.
QString web_Download_Site();

}  // namespace modMAIN

// The program's HTTP client. A download of a new version ends by opening the file and closing the main
// window, or by an error alert.
class classHTTPSocket : public Platform::HTTPSocket {
  Q_OBJECT
 protected:
  void Event_DownloadComplete(const QString& url, int32_t httpStatus, const Platform::HTTPHeaders& headers,
                              const Platform::FolderItemPtr& file) override;
  void Event_Error(int32_t code) override;
};

// True while the update site is the reserved placeholder (a host under the ".example" name, which can
// never answer): the automatic check at start does not ask it.
bool Update_Site_Is_Placeholder();

// The update check; manual is True when the user asked for it (the Check for Updates item), False for the
// automatic check at start, which stays silent when there is nothing new. Waits at most 4 seconds for the
// web site; a call made while a check waits does nothing.
void Check_for_Update(bool manual);
