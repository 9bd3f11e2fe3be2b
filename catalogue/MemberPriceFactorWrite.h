#pragma once

// Sets the factor of a member price (0.8 is 80%) and rewrites every title's member price
// from its price with it, to the cent as a clerk writes it (1.70 at 85% is 1.45, not the
// 1.4449999999999998 of the binary product; a title without a price keeps none), in one
// transaction: the settings row and the titles never disagree. Raises DbError when the
// database refuses; then nothing is written.
class MemberPriceFactorWrite {
  public:
    enum Price { Rent, Sale };
    static void Run(Price price, double factor);
};
