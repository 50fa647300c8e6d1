#include "PerfilEnMemoria.h"

#include <algorithm>

namespace kalvenor {

namespace {

char16_t Minuscula(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; }

std::u16string Plegar(std::u16string_view texto) {
    std::u16string plegado(texto);
    std::transform(plegado.begin(), plegado.end(), plegado.begin(), Minuscula);
    return plegado;
}

bool EsBlanco(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Recortar(std::u16string_view texto) {
    while (!texto.empty() && EsBlanco(texto.front())) texto.remove_prefix(1);
    while (!texto.empty() && EsBlanco(texto.back())) texto.remove_suffix(1);
    return texto;
}

bool MismoNombre(std::u16string_view a, std::u16string_view b) { return Plegar(Recortar(a)) == Plegar(Recortar(b)); }

// The section named by a line "[name]", or nothing for another line.
std::optional<std::u16string_view> NombreSeccion(std::u16string_view linea) {
    linea = Recortar(linea);
    if (linea.empty() || linea.front() != u'[') return std::nullopt;
    linea.remove_prefix(1);
    const auto cierre = linea.find(u']');
    if (cierre != std::u16string_view::npos) linea = linea.substr(0, cierre);
    return Recortar(linea);
}

struct LineaClave {
    std::u16string_view clave;
    std::u16string_view valor;
};

// A line "key=value"; a line without '=' is a key with no value.
LineaClave PartirLinea(std::u16string_view linea) {
    const auto igual = linea.find(u'=');
    if (igual == std::u16string_view::npos) return {Recortar(linea), {}};
    return {Recortar(linea.substr(0, igual)), Recortar(linea.substr(igual + 1))};
}

std::u16string_view SinComillas(std::u16string_view valor) {
    if (valor.size() >= 2 && (valor.front() == u'"' || valor.front() == u'\'') && valor.back() == valor.front()) {
        valor.remove_prefix(1);
        valor.remove_suffix(1);
    }
    return valor;
}

bool LineaVacia(std::u16string_view linea) { return Recortar(linea).empty(); }

// The header line of the first section of that name.
template <class Lineas>
auto BuscarSeccion(Lineas& lineas, std::u16string_view seccion) {
    return std::find_if(lineas.begin(), lineas.end(), [&](const std::u16string& linea) {
        const auto nombre = NombreSeccion(linea);
        return nombre && MismoNombre(*nombre, seccion);
    });
}

}  // namespace

std::u16string PerfilEnMemoria::LeerINI(std::u16string_view seccion, std::u16string_view clave,
                                        std::u16string_view archivo) {
    const auto encontrado = archivos_.find(Plegar(archivo));
    if (encontrado == archivos_.end()) return {};
    const auto& lineas = encontrado->second;
    auto linea = BuscarSeccion(lineas, seccion);
    if (linea == lineas.end()) return {};
    ++linea;
    for (; linea != lineas.end() && !NombreSeccion(*linea); ++linea) {
        if (LineaVacia(*linea)) continue;
        const LineaClave partes = PartirLinea(*linea);
        if (MismoNombre(partes.clave, clave)) {
            const std::u16string_view valor = SinComillas(partes.valor);
            return std::u16string(valor.substr(0, kLongitudMaximaValorINI));
        }
    }
    return {};
}

bool PerfilEnMemoria::EscribirINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view valor,
                                  std::u16string_view archivo) {
    if (EscrituraFalla()) return false;
    const auto LineaConClave = [&](std::u16string_view nombre) {
        std::u16string linea(nombre);
        linea += u'=';
        linea += valor;
        return linea;
    };

    auto& lineas = archivos_[Plegar(archivo)];
    auto linea = BuscarSeccion(lineas, seccion);
    if (linea == lineas.end()) {
        std::u16string cabecera(u"[");
        cabecera.append(seccion).append(u"]");
        lineas.push_back(std::move(cabecera));
        lineas.push_back(LineaConClave(clave));
        return true;
    }
    ++linea;
    auto ultimaConTexto = linea;  // where a new key goes: after the section's last non-empty line
    for (; linea != lineas.end() && !NombreSeccion(*linea); ++linea) {
        if (LineaVacia(*linea)) continue;
        const std::u16string_view existente = PartirLinea(*linea).clave;
        if (MismoNombre(existente, clave)) {
            *linea = LineaConClave(existente);  // the key keeps the name it had
            return true;
        }
        ultimaConTexto = linea + 1;
    }
    lineas.insert(ultimaConTexto, LineaConClave(clave));
    return true;
}

bool PerfilEnMemoria::BorrarINI(std::u16string_view seccion, std::u16string_view clave, std::u16string_view archivo) {
    if (EscrituraFalla()) return false;
    const auto encontrado = archivos_.find(Plegar(archivo));
    if (encontrado == archivos_.end()) return true;
    auto& lineas = encontrado->second;
    auto linea = BuscarSeccion(lineas, seccion);
    if (linea == lineas.end()) return true;
    for (++linea; linea != lineas.end() && !NombreSeccion(*linea); ++linea) {
        if (!LineaVacia(*linea) && MismoNombre(PartirLinea(*linea).clave, clave)) {
            lineas.erase(linea);
            return true;
        }
    }
    return true;
}

void PerfilEnMemoria::FallarEscrituras(std::size_t desde, std::size_t cuantas) {
    escrituras_ = 0;
    primeraQueFalla_ = desde;
    cuantasFallan_ = cuantas;
}

bool PerfilEnMemoria::EscrituraFalla() {
    const std::size_t n = ++escrituras_;
    return n >= primeraQueFalla_ && n - primeraQueFalla_ < cuantasFallan_;
}

void PerfilEnMemoria::PonerTexto(std::u16string_view archivo, std::u16string_view texto) {
    auto& lineas = archivos_[Plegar(archivo)];
    lineas.clear();
    while (!texto.empty()) {
        const auto fin = texto.find(u'\n');
        std::u16string_view linea = texto.substr(0, fin);
        if (!linea.empty() && linea.back() == u'\r') linea.remove_suffix(1);
        lineas.emplace_back(linea);
        if (fin == std::u16string_view::npos) break;
        texto.remove_prefix(fin + 1);
    }
}

std::optional<std::u16string> PerfilEnMemoria::Texto(std::u16string_view archivo) const {
    const auto encontrado = archivos_.find(Plegar(archivo));
    if (encontrado == archivos_.end()) return std::nullopt;
    std::u16string texto;
    for (const auto& linea : encontrado->second) {
        texto += linea;
        texto += u"\r\n";
    }
    return texto;
}

}  // namespace kalvenor
