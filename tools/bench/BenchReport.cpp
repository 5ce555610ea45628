#include "BenchReport.h"

#include <iomanip>
#include <ostream>

namespace {
void cell(std::ostream& out, double value, bool present) {
    if (present) {
        out << std::setw(10) << std::fixed << std::setprecision(1) << value;
    } else {
        out << std::setw(10) << "-";
    }
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}
}  // namespace

void printBenchTable(std::ostream& out, const BenchRun& run) {
    out << "\n"
        << run.width << " x " << run.height << " on " << run.device << " (OpenGL " << run.glVersion
        << ", " << run.context << "); passes timed by " << run.method
        << "; milliseconds unless stated\n";
    out << std::setw(24) << std::left << "pass" << std::right;
    for (const BenchResult& result : run.results) out << std::setw(10) << result.config;
    out << "\n";
    for (int pass = 0; pass < kPassCount; ++pass) {
        out << std::setw(24) << std::left << passName(static_cast<Pass>(pass)) << std::right;
        for (const BenchResult& result : run.results) {
            cell(out, result.passMs[pass], result.passRan[pass]);
        }
        out << "\n";
    }
    const struct {
        const char* name;
        double (*value)(const BenchResult&);
    } rows[] = {{"update, CPU", [](const BenchResult& r) { return r.updateCpuMs; }},
                {"render, CPU", [](const BenchResult& r) { return r.renderCpuMs; }},
                {"frame", [](const BenchResult& r) { return r.frameMs; }},
                {"frames per second", [](const BenchResult& r) { return r.fps(); }}};
    for (const auto& row : rows) {
        out << std::setw(24) << std::left << row.name << std::right;
        for (const BenchResult& result : run.results) cell(out, row.value(result), true);
        out << "\n";
    }
    if (run.overlay.measured) {
        const OverlayCost& cost = run.overlay;
        out << std::fixed << std::setprecision(1) << "overlay (H): frame " << cost.hiddenMs
            << " ms hidden, " << cost.shownMs << " ms shown; its draw alone "
            << std::setprecision(2) << cost.drawMs << " ms (medians of " << cost.samples
            << " frames each, drawn again without moving)\n";
    }
}

void writeBenchJson(std::ostream& out, const std::vector<BenchRun>& runs) {
    out << "{\n  \"runs\": [\n";
    for (size_t r = 0; r < runs.size(); ++r) {
        const BenchRun& run = runs[r];
        out << "    {\"width\": " << run.width << ", \"height\": " << run.height
            << ", \"device\": " << jsonString(run.device)
            << ", \"glVersion\": " << jsonString(run.glVersion)
            << ", \"context\": " << jsonString(run.context)
            << ", \"method\": " << jsonString(run.method) << ",\n";
        if (run.overlay.measured) {
            out << "     \"overlay\": {\"hiddenMs\": " << run.overlay.hiddenMs
                << ", \"shownMs\": " << run.overlay.shownMs
                << ", \"drawMs\": " << run.overlay.drawMs
                << ", \"samples\": " << run.overlay.samples << "},\n";
        }
        out << "     \"configs\": [\n";
        for (size_t c = 0; c < run.results.size(); ++c) {
            const BenchResult& result = run.results[c];
            out << "       {\"config\": " << jsonString(result.config) << ", \"passesMs\": {";
            bool first = true;
            for (int pass = 0; pass < kPassCount; ++pass) {
                if (!result.passRan[pass]) continue;
                out << (first ? "" : ", ") << jsonString(passName(static_cast<Pass>(pass))) << ": "
                    << result.passMs[pass];
                first = false;
            }
            out << "}, \"updateCpuMs\": " << result.updateCpuMs
                << ", \"renderCpuMs\": " << result.renderCpuMs
                << ", \"frameMs\": " << result.frameMs << ", \"fps\": " << result.fps() << "}"
                << (c + 1 < run.results.size() ? ",\n" : "\n");
        }
        out << "     ]}" << (r + 1 < runs.size() ? ",\n" : "\n");
    }
    out << "  ]\n}\n";
}
