// The action flags of a candidate: one action bit and the findings of the comparison that led to it.
#pragma once

#include <cstdint>

using ActionFlags = std::uint16_t;

// Exactly one of the four action bits is set in a candidate.
inline constexpr ActionFlags kActionForward = 0x0001;  // copy source to destination
inline constexpr ActionFlags kActionSkip = 0x0002;     // listed, nothing done
inline constexpr ActionFlags kActionDelete = 0x0004;   // delete the file on every side where it exists
inline constexpr ActionFlags kActionBackward = 0x0008; // copy destination to source
inline constexpr ActionFlags kActionMask = kActionForward | kActionSkip | kActionDelete | kActionBackward;

// Without it, forward and backward transfer only the file properties.
inline constexpr ActionFlags kFlagCopyContent = 0x0010;
inline constexpr ActionFlags kFlagSizeDiffers = 0x0040;
// The other side was also changed since the last run.
inline constexpr ActionFlags kFlagDoubleModified = 0x0080;
inline constexpr ActionFlags kFlagPropertiesDiffer = 0x0100;
// Set and cleared by the actions while a copy waits for its verification.
inline constexpr ActionFlags kFlagVerifyPending = 0x0200;
inline constexpr ActionFlags kFlagDone = 0x0400;
