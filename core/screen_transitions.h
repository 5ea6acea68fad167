// The screen transitions by their stored numbers: the event command that sets one and the
// system page's defaults offer the same lists.
#pragma once

#include <array>

inline constexpr std::array<const char*, 21> EraseTransitionNames = {"Fade-out",
                                                                     "Whole Random Blocks",
                                                                     "Random Block Up",
                                                                     "Random Block Down",
                                                                     "Blind Close",
                                                                     "Hi-Low Stripe",
                                                                     "Left-Right Stripe",
                                                                     "Outside-Inside",
                                                                     "Inside-Outside",
                                                                     "Scroll Up",
                                                                     "Scroll Down",
                                                                     "Scroll Left",
                                                                     "Scroll Right",
                                                                     "High and Low Division",
                                                                     "Left-Right Division",
                                                                     "Hi-Low + Left-Right Division",
                                                                     "Zoom In",
                                                                     "Mosaic",
                                                                     "Roster Scroll",
                                                                     "Instant Erase",
                                                                     "Do Not Erase"};

inline constexpr std::array<const char*, 20> ShowTransitionNames = {"Fade-In",
                                                                    "Whole Random Blocks",
                                                                    "Random Block Up",
                                                                    "Random Block Down",
                                                                    "Blind Open",
                                                                    "Hi-Low Stripe",
                                                                    "Left-Right Stripe",
                                                                    "Outside-Inside",
                                                                    "Inside-Outside",
                                                                    "Scroll Down",
                                                                    "Scroll Up",
                                                                    "Scroll Right",
                                                                    "Scroll Left",
                                                                    "Hi-Low Combine",
                                                                    "Left-Right Combine",
                                                                    "Hi-Low + Left-Right Combine",
                                                                    "Zoom Out",
                                                                    "Mosaic",
                                                                    "Roster Scroll",
                                                                    "Instant Display"};
