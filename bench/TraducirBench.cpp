// Speed of Traducir on a 100-million-character Spanish text, in both
// directions, beside a plain memcpy of the same text.
//
// The last line of the output is machine-readable:
//   traducir_mchars_per_s=<N> memcpy_mchars_per_s=<M>
// N is the slower of the two directions, in million characters per second.
//
// With --escribir-texto=FILE the program only writes the text, as UTF-8, to
// FILE, and with --escribir-clave=FILE its translation into code
// (bench/compare-tr.sh times GNU tr on the one and checks it against the
// other).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "translation/Traduccion.h"

namespace {

constexpr std::size_t LongitudDelTexto = 100'000'000;

constexpr std::u16string_view Parrafo =
    u"En un lugar de la Mancha, cuyo nombre no viene al caso, vivía un señor "
    u"llamado Íñigo Muñoz, que cada mañana caminaba hasta el molino. ¿Por qué "
    u"madrugaba tanto? Nadie lo sabía; él decía, riéndose: «¡El sol no espera "
    u"a nadie!».\r\n"
    u"Su vecina, doña Águeda Ibáñez, le regalaba pan de centeno, miel y "
    u"queso de cabra; a cambio, él le arreglaba la cigüeña del tejado y le "
    u"contaba historias de GALLOS, MURCIÉLAGOS y lechuzas.\r\n"
    u"Un día de otoño, con 37 años cumplidos, partió hacia Cádiz en un carro "
    u"tirado por dos mulas. Llevaba un baúl, tres camisas, un reloj de 1898 "
    u"y el cuaderno donde apuntaba, línea tras línea, lo que iba aprendiendo.\r\n";

const std::u16string& TextoNormal() {
    static const std::u16string texto = [] {
        std::u16string t;
        t.reserve(LongitudDelTexto);
        while (t.size() < LongitudDelTexto) {
            t.append(Parrafo.substr(0, LongitudDelTexto - t.size()));
        }
        return t;
    }();
    return texto;
}

const std::u16string& TextoClave() {
    static const std::u16string texto = kalvenor::Traducir(TextoNormal(), kalvenor::HaciaClave);
    return texto;
}

// Into a result kept for the whole run, as memcpy copies into a kept buffer:
// its pages are touched once, in the warm-up, so that what is timed is the
// translation, not the allocation or the system's first touch of the pages.
void MedirTraducir(benchmark::State& estado, const std::u16string& texto, std::int32_t direccion) {
    static std::u16string resultados[2];
    std::u16string& resultado = resultados[direccion == kalvenor::HaciaClave ? 0 : 1];
    for (auto _ : estado) {
        kalvenor::Traducir(texto, direccion, resultado);
        benchmark::DoNotOptimize(resultado.data());
        benchmark::ClobberMemory();
    }
    estado.SetItemsProcessed(estado.iterations() * static_cast<std::int64_t>(texto.size()));
}

void BM_TraducirHaciaClave(benchmark::State& estado) { MedirTraducir(estado, TextoNormal(), kalvenor::HaciaClave); }
void BM_TraducirHaciaNormal(benchmark::State& estado) { MedirTraducir(estado, TextoClave(), kalvenor::HaciaNormal); }

void BM_Memcpy(benchmark::State& estado) {
    const std::u16string& texto = TextoNormal();
    static std::u16string copia(texto.size(), u'\0');
    for (auto _ : estado) {
        std::memcpy(copia.data(), texto.data(), texto.size() * sizeof(char16_t));
        benchmark::DoNotOptimize(copia.data());
        benchmark::ClobberMemory();
    }
    estado.SetItemsProcessed(estado.iterations() * static_cast<std::int64_t>(texto.size()));
}

BENCHMARK(BM_TraducirHaciaClave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TraducirHaciaNormal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Shows the usual table and keeps each benchmark's characters per second:
// the median of its repetitions when there are several, else its one run.
class Recolector : public benchmark::ConsoleReporter {
public:
    // Plain text: the output is mostly read by scripts.
    Recolector() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& corridas) override {
        for (const Run& corrida : corridas) {
            const auto contador = corrida.counters.find("items_per_second");
            if (corrida.error_occurred || contador == corrida.counters.end()) continue;
            const std::string& nombre = corrida.run_name.function_name;
            if (corrida.run_type == Run::RT_Aggregate && corrida.aggregate_name == "median") {
                medianas_[nombre] = contador->second.value;
            } else if (corrida.run_type == Run::RT_Iteration) {
                unicas_[nombre] = contador->second.value;
            }
        }
        ConsoleReporter::ReportRuns(corridas);
    }

    double MillonesPorSegundo(const std::string& nombre) const {
        if (const auto m = medianas_.find(nombre); m != medianas_.end()) return m->second / 1e6;
        if (const auto u = unicas_.find(nombre); u != unicas_.end()) return u->second / 1e6;
        return 0;
    }

private:
    std::map<std::string, double> medianas_;
    std::map<std::string, double> unicas_;
};

bool EscribirUtf8(const std::u16string& texto, const char* ruta) {
    std::ofstream archivo(ruta, std::ios::binary);
    std::string bloque;
    bloque.reserve(1 << 20);
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const std::uint32_t c = texto[i];  // the paragraph has no surrogates
        if (c < 0x80) {
            bloque += static_cast<char>(c);
        } else if (c < 0x800) {
            bloque += static_cast<char>(0xC0 | (c >> 6));
            bloque += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bloque += static_cast<char>(0xE0 | (c >> 12));
            bloque += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bloque += static_cast<char>(0x80 | (c & 0x3F));
        }
        if (bloque.size() >= (1u << 20) - 3 || i + 1 == texto.size()) {
            archivo.write(bloque.data(), static_cast<std::streamsize>(bloque.size()));
            bloque.clear();
        }
    }
    return static_cast<bool>(archivo.flush());
}

// Characters per second of one call on memory fresh from the system: the
// first call a program makes, page faults included. For information only.
double MillonesPorSegundoEnMemoriaNueva(std::int32_t direccion) {
    const std::u16string& texto = direccion == kalvenor::HaciaClave ? TextoNormal() : TextoClave();
    double mejor = 1e30;
    for (int vez = 0; vez < 3; ++vez) {
        const auto inicio = std::chrono::steady_clock::now();
        std::u16string resultado = kalvenor::Traducir(texto, direccion);
        benchmark::DoNotOptimize(resultado.data());
        const std::chrono::duration<double> segundos = std::chrono::steady_clock::now() - inicio;
        mejor = std::min(mejor, segundos.count());
    }
    return static_cast<double>(texto.size()) / mejor / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view OpcionTexto = "--escribir-texto=";
    constexpr std::string_view OpcionClave = "--escribir-clave=";
    bool soloEscribir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argumento = argv[i];
        const bool texto = argumento.substr(0, OpcionTexto.size()) == OpcionTexto;
        const bool clave = argumento.substr(0, OpcionClave.size()) == OpcionClave;
        if (!texto && !clave) continue;
        soloEscribir = true;
        const std::string ruta(argumento.substr(OpcionTexto.size()));
        if (!EscribirUtf8(texto ? TextoNormal() : TextoClave(), ruta.c_str())) {
            std::fprintf(stderr, "no se pudo escribir %s\n", ruta.c_str());
            return 1;
        }
    }
    if (soloEscribir) {
        std::printf("caracteres=%zu\n", TextoNormal().size());
        return 0;
    }

    // By default every benchmark warms up for half a second before it is
    // timed: its first call would otherwise touch its result's pages for the
    // first time, and one slow iteration of page faults can be all that is
    // timed (the first touch has its own line, below). Each is repeated, and
    // the repetitions of the three run in random order, so that a change in
    // the machine's load falls on all three alike; the headline compares their
    // medians. Options given on the command line come later and take
    // precedence.
    std::vector<char*> argumentos(argv, argv + argc);
    char calentamiento[] = "--benchmark_min_warmup_time=0.5";
    char repeticiones[] = "--benchmark_repetitions=9";
    char intercalar[] = "--benchmark_enable_random_interleaving=true";
    argumentos.insert(argumentos.begin() + 1, {calentamiento, repeticiones, intercalar});
    int cuantos = static_cast<int>(argumentos.size());
    argumentos.push_back(nullptr);
    benchmark::Initialize(&cuantos, argumentos.data());
    if (benchmark::ReportUnrecognizedArguments(cuantos, argumentos.data())) return 1;

    TextoNormal();
    TextoClave();
    const double nuevaClave = MillonesPorSegundoEnMemoriaNueva(kalvenor::HaciaClave);
    const double nuevaNormal = MillonesPorSegundoEnMemoriaNueva(kalvenor::HaciaNormal);
    std::printf(
        "En memoria nueva del sistema (cada resultado en páginas sin tocar): "
        "HaciaClave %.0f, HaciaNormal %.0f millones de caracteres/s\n",
        nuevaClave, nuevaNormal);

    Recolector recolector;
    benchmark::RunSpecifiedBenchmarks(&recolector);
    benchmark::Shutdown();

    const double clave = recolector.MillonesPorSegundo("BM_TraducirHaciaClave");
    const double normal = recolector.MillonesPorSegundo("BM_TraducirHaciaNormal");
    const double copia = recolector.MillonesPorSegundo("BM_Memcpy");
    const auto porciento = [copia](double velocidad) { return copia > 0 ? 100 * velocidad / copia : 0.0; };
    std::printf(
        "HaciaClave %.0f (%.0f %% de memcpy), HaciaNormal %.0f (%.0f %%), memcpy %.0f millones de caracteres/s\n",
        clave, porciento(clave), normal, porciento(normal), copia);
    std::printf("traducir_mchars_per_s=%.0f memcpy_mchars_per_s=%.0f\n", std::min(clave, normal), copia);
    return 0;
}
