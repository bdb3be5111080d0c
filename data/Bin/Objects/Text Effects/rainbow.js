(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var text = el.textContent;
  el.textContent = "";
  var letters = [];
  for (var i = 0; i < text.length; i++) {
    var s = document.createElement("span");
    s.textContent = text.charAt(i);
    el.appendChild(s);
    letters.push(s);
  }
  var step = 0;
  function paint() {
    for (var i = 0; i < letters.length; i++)
      letters[i].style.color = "hsl(" + ((i * 25 + step * 12) % 360) + ", 85%, 45%)";
    step += 1;
  }
  paint();
  setInterval(paint, 120);
})();
