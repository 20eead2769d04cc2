#ifndef DG_DG_HPP
#define DG_DG_HPP

// The whole dialog library: panels, items, observers, alerts and the headless driver hooks.
#include "DG/Alert.hpp"
#include "DG/Button.hpp"
#include "DG/Dialog.hpp"
#include "DG/Events.hpp"
#include "DG/Geometry.hpp"
#include "DG/Item.hpp"
#include "DG/ListBox.hpp"
#include "DG/ModalDialog.hpp"
#include "DG/ModelessBase.hpp"
#include "DG/Observers.hpp"
#include "DG/Palette.hpp"
#include "DG/Panel.hpp"
#include "DG/PanelRegistry.hpp"
#include "DG/StaticItems.hpp"
#include "DG/UIDriver.hpp"
#include "DG/UILog.hpp"

#endif
