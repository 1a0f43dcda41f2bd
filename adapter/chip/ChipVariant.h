#pragma once

namespace pemrix {

// What a chip's DO does when a READ is clocked on past the word's last data bit with CS held
// high.
enum class AfterLastDataBit
{
    // Sequential read: the next word's bits follow at once, without a dummy 0, the address
    // wrapping from the last word to the first (Microchip 93AA46A/B/C DS20001749K, 2.7 Read:
    // "Sequential read is possible when CS is held high").
    NextWord,
    // Parts without sequential read whose serial-out shift register fills with 0 as it shifts
    // (National NM93C06/C46/C56/C66: "data transfer from the selected memory register into a
    // serial-out shift register", with nothing said of a next register): DO then reads 0.
    Zeros,
    // Parts without sequential read that release DO once the word is out: it reads as the
    // pull-up makes it, high.
    Released,
    // Parts without sequential read whose shift register turns its output back into its
    // input, so the same word comes out again.
    SameWordAgain,
};

} // namespace pemrix
