// SPDX-License-Identifier: MIT
#pragma once

// The plug-in's D-Bus identity; a test keeps data/'s interface XML in step.

namespace vitalune::identity {

// What a host binds to.
inline constexpr char BusName[] = "Orvane.clsPluginInterface"; // the programmatic identifier
inline constexpr char ObjectPath[] = "/clsPluginInterface";
inline constexpr char InterfaceName[] = "Orvane._clsPluginInterface";
inline constexpr char DisplayName[] = "Vitalune"; // what Identify answers

inline constexpr char TypeLibName[] = "Orvane";
inline constexpr char TypeLibVersion[] = "1.0";
inline constexpr char TypeLibLocale[] = "0x409";
inline constexpr char TypeLibId[] = "{342AE64D-D3BB-46EA-B819-C8458DD22D5B}";
inline constexpr char ClassName[] = "clsPluginInterface";
inline constexpr char ClassId[] = "{1E75F6B5-6B5F-4980-AEA6-EBD74B89F2D0}";
inline constexpr char ClassFlags[] = "creatable appobject predeclid";
inline constexpr char InterfaceId[] = "{47B39303-3C4E-4D6C-A4D1-E987F3644BC5}";
inline constexpr char InterfaceFlags[] = "dual hidden nonextensible oleautomation";

// Dispatch identifiers, in the interface's method order.
inline constexpr char RunDispId[] = "0x60030000";
inline constexpr char IdentifyDispId[] = "0x60030001";

// Member M of the form object at P is the object at P/M.
inline constexpr char ControlInterface[] = "Orvane.Control";
inline constexpr char CaptionProperty[] = "Caption";
inline constexpr char BirthDateMember[] = "lblnasc";
inline constexpr char NicknameMember[] = "lblnick";

inline constexpr char ServiceFileName[] = "Orvane.clsPluginInterface.service";
inline constexpr char AutomationOption[] = "--automation";

// Every read of the host ends within this time.
inline constexpr int HostReadTimeoutMs = 3000;
// A server started by the bus that gets no Run leaves after this time.
inline constexpr int IdleExitMs = 60000;

} // namespace vitalune::identity
