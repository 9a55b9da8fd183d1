// What the host's logic needs of its main window, as small interfaces: the
// console, the notification-area icon, the processor panel, the contact tree,
// the network menus and the warning dialog. The main window implements them
// with its controls; tests implement them with recorders.
#pragma once

#include <string>

#include "api/NetworkInput.h"

// The console panel: one line per call.
class IConsoleSink {
public:
  virtual void AddConsoleLine(const std::string& Line) = 0;

protected:
  ~IConsoleSink() = default;
};

// Balloon types of the notification-area icon.
enum class TTrayBalloon { None, Info, Warning, Error };

// The notification-area icon: its image index and balloon notices. Image
// indexes: 0 offline, 1 start, 2 connected, 3 messages waiting.
class ITrayIcon {
public:
  virtual void SetIconIndex(int Index) = 0;
  virtual int IconIndex() const = 0;
  virtual void ShowBalloonTip(const std::string& Title, const std::string& Text, TTrayBalloon Type,
                              unsigned TimeoutMs, bool CancelPrevious) = 0;

protected:
  ~ITrayIcon() = default;
};

// The processor panel: line i belongs to processor i.
class IProcessorPanel {
public:
  // Appends an unticked line.
  virtual void AddProcessorLine(const std::string& Name) = 0;
  virtual bool ProcessorChecked(int Index) const = 0;

protected:
  ~IProcessorPanel() = default;
};

// The contact tree: networks, their groups and contacts, asked for lazily.
class IContactTree {
public:
  virtual void SetRootCount(int Count) = 0;
  // The number of groups under network Network.
  virtual void SetChildCount(int Network, int Count) = 0;
  // Asks every node again for its counts, texts, colours and images.
  virtual void ReinitNodes() = 0;

protected:
  ~IContactTree() = default;
};

// The networks' submenus on the network toolbar and the contact popup.
class INetworkMenus {
public:
  // A submenu captioned Caption with the fixed status and information items,
  // tagged with the network index, added to the toolbar.
  virtual void AddNetworkMenu(int Index, const std::string& Caption) = 0;
  // Appends the "Configurer..." item to the network's submenu.
  virtual void AddConfigureItem(int Index) = 0;
  // Frees the network's submenu with every item in it. Later networks keep
  // their indexes only when the removed one is the last.
  virtual void RemoveNetworkMenu(int Index) = 0;
  // Appends a plug-in item to the first submenu tagged Tag; false when no
  // submenu has that tag. Proc may be null (the item then does nothing).
  virtual bool AddPluginMenuItem(int Tag, TPlugItemProc Proc, const std::string& Caption) = 0;
  // Appends a plug-in item to the contact popup (made visible explicitly when asked).
  virtual void AddPopupMenuItem(TPlugItemProc Proc, const std::string& Caption, bool Visible) = 0;
  // The image of the network's submenu item.
  virtual void SetNetworkImage(int Index, int Image) = 0;

protected:
  ~INetworkMenus() = default;
};

// A warning dialog with an OK button.
class IWarningDialog {
public:
  virtual void ShowWarning(const std::string& Text) = 0;

protected:
  ~IWarningDialog() = default;
};

// Everything above, as the main window offers it.
struct THostParts {
  IConsoleSink* Console = nullptr;
  ITrayIcon* Tray = nullptr;
  IProcessorPanel* Processors = nullptr;
  IContactTree* Tree = nullptr;
  INetworkMenus* Menus = nullptr;
  IWarningDialog* Warnings = nullptr;
};
