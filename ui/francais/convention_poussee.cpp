#include "ui/francais/convention_poussee.h"

#include "ui/francais/format_fr.h"

namespace trajel {

QString titre_delta_v_convention() {
    return QStringLiteral("Δv (convention de Trajel)");
}

QString titre_delta_v_si() {
    return QStringLiteral("Δv SI de la même consommation : Isp · 9,81 · ln(m0 / mf)");
}

QString explication_convention_poussee() {
    return QStringLiteral(
        "Convention de Trajel : la poussée en N divisée par la masse en kg est ajoutée telle "
        "quelle à l'accélération en km/s², alors que le débit de masse utilise g0 = 9,81 m/s² ; "
        "l'accélération et le Δv valent donc 1000 fois ceux de la même poussée en unités SI, "
        "et la masse consommée est celle des newtons.");
}

QString delta_v_et_si(double delta_v) {
    // The SI delta-v of the same consumption is the same number in m/s.
    return QStringLiteral("%1 (SI : %2)")
        .arg(valeur_fr(delta_v, QStringLiteral("km/s")), valeur_fr(delta_v, QStringLiteral("m/s")));
}

} // namespace trajel
