(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var text = el.getAttribute("data-text") || el.textContent;
  var shown = 0;
  el.textContent = "";
  var timer = setInterval(function () {
    shown += 1;
    el.textContent = text.slice(0, shown);
    if (shown >= text.length) clearInterval(timer);
  }, 80);
})();
